#include "devices/phone_command.h"

namespace kavu::adb {

PhoneCommand& PhoneCommand::fixed(std::string_view text) {
    m_text += text;
    return *this;
}

PhoneCommand& PhoneCommand::typed(std::string_view utf8Text, Splice splice) {
    const bool phoneSplice =
        splice == Splice::PhoneBare || splice == Splice::PhoneName || splice == Splice::PhoneQuoted;
    if (m_refusal == Refusal::None) {
        m_refusal = phoneSplice ? checkSplice(utf8Text, splice) : Refusal::PhoneCharacters;
    }
    if (splice == Splice::PhoneQuoted) {
        m_text += phoneQuoted(utf8Text);
    } else {
        m_text += utf8Text;
    }
    return *this;
}

} // namespace kavu::adb
