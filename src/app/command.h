#pragma once

#include "app/change.h"
#include "core/launch.h"
#include "core/typed_text.h"

#include <QString>
#include <QStringView>

#include <string_view>

namespace kavu {

// Who asked for a command: the window's title and the caption of the control or launcher entry,
// as the journal names them.
struct Origin {
    QString window;
    QString control;

    bool operator==(const Origin&) const = default;
};

// A command text built from fixed parts (literals, and values the program worked out itself) and
// typed parts (text the user typed or picked), each typed part marked with how it is spliced. The
// console launcher runs a command only when every typed part passes its splice's check.
class Command {
public:
    Command() = default;
    explicit Command(QStringView fixed) { m_text = fixed.toString(); }
    explicit Command(std::string_view utf8Fixed) { fixed(utf8Fixed); }

    Command& fixed(QStringView text);
    Command& fixed(std::string_view utf8Text);
    Command& typed(const QString& text, Splice splice);
    // A number the program read from typed text, as decimal text; a value that is not finite
    // (text such as "1e999") is refused.
    Command& number(double value);
    // The same, refused also outside [minimum, maximum] (after the caller's rounding).
    Command& number(double value, double minimum, double maximum);
    // The same, refused also when it is not whole: for a command that reads integers only.
    Command& wholeNumber(double value, double minimum, double maximum);
    // Adds the other command's text, and its refusal when this one has none.
    Command& append(const Command& other);
    // Adds no text: refuses the command when value, the number a typed part reads as, is not
    // finite or lies outside [minimum, maximum].
    Command& inRange(double value, double minimum, double maximum);
    // Marks the command as about a phone (the default) or about the computer and the adb server:
    // such a command runs once, whichever phones a click names.
    Command& reaching(launch::Reach reach) {
        m_reach = reach;
        return *this;
    }
    // Names who asked for it.
    Command& from(Origin origin) {
        m_origin = std::move(origin);
        return *this;
    }
    // Declares what the command changes on the phone (nothing by default).
    Command& changing(Change change) {
        m_change = std::move(change);
        return *this;
    }

    // The text as it goes into a command box: typed parts as typed, single-quoted for the phone's
    // shell where their splice says so.
    const QString& text() const { return m_text; }
    // Why the first refused typed part was refused; Refusal::None when every part passes.
    Refusal refusal() const { return m_refusal; }
    launch::Reach reach() const { return m_reach; }
    const Change& change() const { return m_change; }
    const Origin& origin() const { return m_origin; }

private:
    QString m_text;
    Refusal m_refusal = Refusal::None;
    launch::Reach m_reach = launch::Reach::Phone;
    Change m_change;
    Origin m_origin;
};

// A command that takes nothing from the user, with how it is shown and what follows it. A window
// wires each of its fixed buttons to one of these, held by the feature's commands module.
struct FixedCommand {
    QStringView text;
    launch::Form form;
    std::string_view suffix;
    // What it changes on the phone, declared beside its text.
    FixedChange change{};
    launch::Reach reach = launch::Reach::Phone;
};

// The command a fixed command runs, with its declaration and its origin.
Command commandOf(const FixedCommand& command, Origin origin = {});

// The line the console launcher starts: the form's prefix, the command text as the command box
// holds it, and the suffix, with nothing between them.
QString consoleLine(const launch::Form& form, const QString& boxText, const QString& suffix);
// The line a fixed command starts.
QString consoleLine(const FixedCommand& command);

} // namespace kavu
