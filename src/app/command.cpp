#include "app/command.h"

#include "app/qt_text.h"
#include "platform/shown_text.h"

#include <cmath>

namespace kavu {

Command& Command::fixed(QStringView text) {
    m_text += text;
    return *this;
}

Command& Command::fixed(std::string_view utf8Text) {
    m_text += qtText(utf8Text);
    return *this;
}

Command& Command::typed(const QString& text, Splice splice) {
    const std::string utf8 = text.toStdString();
    if (m_refusal == Refusal::None) {
        m_refusal = checkSplice(utf8, splice);
    }
    switch (splice) {
    case Splice::PhoneQuoted:
        m_text += qtText(phoneQuoted(utf8));
        break;
    case Splice::PhoneInputText:
        m_text += qtText(phoneInputText(utf8));
        break;
    default:
        m_text += text;
        break;
    }
    return *this;
}

Command& Command::number(double value) {
    if (m_refusal == Refusal::None && !std::isfinite(value)) {
        m_refusal = Refusal::OutOfRange;
    }
    m_text += decimalTextOf(value);
    return *this;
}

Command& Command::number(double value, double minimum, double maximum) {
    return inRange(value, minimum, maximum).number(value);
}

Command& Command::wholeNumber(double value, double minimum, double maximum) {
    if (m_refusal == Refusal::None && std::trunc(value) != value) {
        m_refusal = Refusal::OutOfRange;
    }
    return number(value, minimum, maximum);
}

Command& Command::inRange(double value, double minimum, double maximum) {
    if (m_refusal == Refusal::None && !(value >= minimum && value <= maximum)) {
        m_refusal = Refusal::OutOfRange;
    }
    return *this;
}

Command& Command::append(const Command& other) {
    m_text += other.m_text;
    if (m_refusal == Refusal::None) {
        m_refusal = other.m_refusal;
    }
    return *this;
}

Command commandOf(const FixedCommand& command, Origin origin) {
    return Command(command.text)
        .reaching(command.reach)
        .changing(command.change.change())
        .from(std::move(origin));
}

QString consoleLine(const launch::Form& form, const QString& boxText, const QString& suffix) {
    return qtText(form.prefix) + boxText + suffix;
}

QString consoleLine(const FixedCommand& command) {
    return consoleLine(command.form, command.text.toString(), shownConsoleText(command.suffix));
}

} // namespace kavu
