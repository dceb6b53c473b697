#pragma once

#include "core/typed_text.h"

#include <string>
#include <string_view>

namespace kavu::adb {

// A command for the phone's shell, read over the adb server (no console): fixed parts are the
// program's own text, typed parts are checked by the rule of their splice, as on console lines.
// Only the phone's splices fit here: PhoneBare and PhoneName go in as typed, PhoneQuoted
// single-quoted; a part with any other splice is refused, since its rule was made for the PC's
// interpreter and not for the phone's shell. The first refusal stands.
class PhoneCommand {
public:
    PhoneCommand() = default;
    explicit PhoneCommand(std::string_view fixedText) { fixed(fixedText); }

    PhoneCommand& fixed(std::string_view text);
    PhoneCommand& typed(std::string_view utf8Text, Splice splice);

    const std::string& text() const { return m_text; }
    Refusal refusal() const { return m_refusal; }

private:
    std::string m_text;
    Refusal m_refusal = Refusal::None;
};

} // namespace kavu::adb
