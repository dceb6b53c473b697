#include "journal/reversal.h"

#include "core/typed_text.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace kavu::journal {

namespace {

using State = Reversal::State;

// A value as one word of a phone command: bare when the phone's shell takes it as it is,
// single-quoted when it passes only the rule for quoted text; none otherwise.
std::optional<QString> phoneWord(const QString& value) {
    const std::string utf8 = value.toStdString();
    if (!value.isEmpty() && checkSplice(utf8, Splice::PhoneBare) == Refusal::None) {
        return value;
    }
    if (checkSplice(utf8, Splice::PhoneQuoted) == Refusal::None) {
        return QString::fromStdString(phoneQuoted(utf8));
    }
    return std::nullopt;
}

// A word as the phone's shell reads it: 'quoted' without its quotes.
QString unquoted(const QString& word) {
    if (word.size() >= 2 && word.startsWith(u'\'') && word.endsWith(u'\'')) {
        return word.mid(1, word.size() - 2).replace(QStringLiteral("'\\''"), QStringLiteral("'"));
    }
    return word;
}

Reversal reversible(const QString& command, const QString& restores) {
    return {State::Reversible, command, restores};
}
Reversal irreversible() {
    return {State::Irreversible, {}, {}};
}
Reversal unchanged() {
    return {State::Unchanged, {}, {}};
}
Reversal unknownOldValue(const QString& reset = {}) {
    return {State::OldValueUnknown, reset,
            reset.isEmpty() ? QString() : QString::fromUtf8(kRestoresDefault)};
}

Reversal settingReversal(const QString& space, const QString& key,
                         const std::optional<QString>& newValue, const DeviceSnapshot& before) {
    const auto known = before.settings.constFind(space + u'/' + key);
    if (known == before.settings.cend()) {
        return unknownOldValue();
    }
    const std::optional<QString>& old = *known;
    if (old == newValue) {
        return unchanged();
    }
    if (!old) {
        return reversible(QStringLiteral("settings delete %1 %2").arg(space, key),
                          QString::fromUtf8(kRestoresNoValue));
    }
    const std::optional<QString> word = phoneWord(*old);
    if (!word) {
        return unknownOldValue(); // a value the shell could not be given back safely
    }
    return reversible(QStringLiteral("settings put %1 %2 %3").arg(space, key, *word), *old);
}

Reversal packageReversal(bool freezing, const QString& package, const DeviceSnapshot& before) {
    if (!before.disabledPackages || !before.enabledPackages) {
        return unknownOldValue();
    }
    const bool wasEnabled = before.enabledPackages->contains(package);
    const bool wasDisabled = before.disabledPackages->contains(package);
    if ((freezing && wasDisabled) || (!freezing && wasEnabled)) {
        return unchanged();
    }
    if (!wasEnabled && !wasDisabled) {
        return unknownOldValue(); // not installed as far as the lists tell
    }
    return freezing ? reversible(QStringLiteral("pm enable ") + package,
                                 QString::fromUtf8(kRestoresEnabled))
                    : reversible(QStringLiteral("pm disable-user ") + package,
                                 QString::fromUtf8(kRestoresDisabled));
}

// "wm density" or "wm size" set to value, or reset (value none).
Reversal wmReversal(const QString& name, const std::optional<QString>& value,
                    const std::optional<WmValue>& before) {
    const QString reset = QStringLiteral("wm %1 reset").arg(name);
    if (!before) {
        return value ? unknownOldValue(reset) : unknownOldValue();
    }
    if (before->override == value) {
        return unchanged();
    }
    if (!before->override) {
        return reversible(reset, before->physical.isEmpty()
                                     ? QString::fromUtf8(kRestoresDefault)
                                     : QString::fromUtf8(kRestoresDefaultOf).arg(before->physical));
    }
    const std::optional<QString> word = phoneWord(*before->override);
    if (!word) {
        return unknownOldValue(reset);
    }
    return reversible(QStringLiteral("wm %1 %2").arg(name, *word), *before->override);
}

// The words of a phone command, split at blanks outside single quotes; quoted words keep their
// quotes.
QStringList shellWords(const QString& text) {
    QStringList words;
    QString word;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (c == u' ' && !quoted) {
            if (!word.isEmpty()) {
                words.append(word);
                word.clear();
            }
            continue;
        }
        word.append(c);
    }
    if (!word.isEmpty()) {
        words.append(word);
    }
    return words;
}

// The package a package-manager line names: its last word.
QString packageOf(const QStringList& words) {
    return unquoted(words.constLast());
}

bool starts(const QStringList& words, std::initializer_list<QStringView> lead) {
    if (words.size() < static_cast<qsizetype>(lead.size())) {
        return false;
    }
    qsizetype at = 0;
    for (const QStringView word : lead) {
        if (words.at(at++) != word) {
            return false;
        }
    }
    return true;
}

// The value a "wm density|size" line sets: none for "reset".
std::optional<QString> wmArgument(const QStringList& words) {
    return words.at(2) == u"reset" ? std::nullopt : std::optional<QString>(words.at(2));
}

} // namespace

std::optional<QStringList> phoneCommandOf(const QString& consoleLine) {
    static const QRegularExpression kPrefix(QStringLiteral("^cmd /[ckCK] *"));
    const QRegularExpressionMatch prefix = kPrefix.match(consoleLine);
    if (!prefix.hasMatch()) {
        return std::nullopt;
    }
    QString first;
    bool quoted = false;
    for (qsizetype at = prefix.capturedEnd(); at < consoleLine.size(); ++at) {
        const QChar c = consoleLine.at(at);
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u'&' || c == u'|')) {
            break;
        }
        first.append(c);
    }
    QStringList words = first.split(u' ', Qt::SkipEmptyParts);
    if (words.size() >= 2 && words.at(0) == u"adb" && words.at(1) == u"-d") {
        words.removeAt(1);
    }
    if (words.size() < 3 || words.at(0) != u"adb" || words.at(1) != u"shell") {
        return std::nullopt;
    }
    words = words.mid(2);
    // adb shell "settings put …": the phone's shell takes the quoted text as its line.
    if (words.constFirst().startsWith(u'"') && words.constLast().endsWith(u'"')) {
        words.first().remove(0, 1);
        words.last().chop(1);
        words.removeAll(QString());
    }
    if (words.isEmpty()) {
        return std::nullopt;
    }
    return words;
}

Reversal reversalOf(const QString& consoleLine, const DeviceSnapshot& before) {
    const std::optional<QStringList> command = phoneCommandOf(consoleLine);
    if (!command) {
        return irreversible();
    }
    const QStringList& words = *command;
    if (starts(words, {u"settings", u"put"}) && words.size() >= 5) {
        return settingReversal(words.at(2), words.at(3), unquoted(words.mid(4).join(u' ')), before);
    }
    if (starts(words, {u"settings", u"delete"}) && words.size() == 4) {
        return settingReversal(words.at(2), words.at(3), std::nullopt, before);
    }
    if (starts(words, {u"pm", u"disable-user"}) && words.size() >= 3) {
        return packageReversal(true, packageOf(words), before);
    }
    if (starts(words, {u"pm", u"enable"}) && words.size() >= 3) {
        return packageReversal(false, packageOf(words), before);
    }
    if (starts(words, {u"pm", u"uninstall", u"-k", u"--user", u"0"}) && words.size() == 6) {
        return reversible(QStringLiteral("cmd package install-existing ") + packageOf(words),
                          QString::fromUtf8(kRestoresInstalled));
    }
    if (starts(words, {u"wm", u"density"}) && words.size() == 3) {
        return wmReversal(QStringLiteral("density"), wmArgument(words), before.density);
    }
    if (starts(words, {u"wm", u"size"}) && words.size() == 3) {
        return wmReversal(QStringLiteral("size"), wmArgument(words), before.size);
    }
    if (starts(words, {u"wm", u"overscan"}) && words.size() == 3) {
        // The window manager cannot tell its insets: only a reset takes them back.
        return words.at(2) == u"reset" ? unknownOldValue()
                                       : unknownOldValue(QStringLiteral("wm overscan reset"));
    }
    if (starts(words, {u"dumpsys", u"battery", u"set"})) {
        return reversible(QStringLiteral("dumpsys battery reset"),
                          QString::fromUtf8(kRestoresActualBattery));
    }
    return irreversible();
}

void applyChange(const QString& consoleLine, DeviceSnapshot& snapshot) {
    const std::optional<QStringList> command = phoneCommandOf(consoleLine);
    if (!command) {
        return;
    }
    const QStringList& words = *command;
    if (starts(words, {u"settings", u"put"}) && words.size() >= 5) {
        snapshot.settings.insert(words.at(2) + u'/' + words.at(3),
                                 unquoted(words.mid(4).join(u' ')));
    } else if (starts(words, {u"settings", u"delete"}) && words.size() == 4) {
        snapshot.settings.insert(words.at(2) + u'/' + words.at(3), std::nullopt);
    } else if ((starts(words, {u"pm", u"disable-user"}) || starts(words, {u"pm", u"enable"}) ||
                starts(words, {u"pm", u"uninstall"}) ||
                starts(words, {u"cmd", u"package", u"install-existing"})) &&
               words.size() >= 3) {
        const QString package = packageOf(words);
        if (!snapshot.disabledPackages || !snapshot.enabledPackages) {
            return;
        }
        snapshot.disabledPackages->remove(package);
        snapshot.enabledPackages->remove(package);
        if (words.at(1) == u"disable-user") {
            snapshot.disabledPackages->insert(package);
        } else if (words.at(1) == u"enable") {
            snapshot.enabledPackages->insert(package);
        } // after an uninstall or a reinstall its state is not known until read again
    } else if ((starts(words, {u"wm", u"density"}) || starts(words, {u"wm", u"size"})) &&
               words.size() == 3) {
        std::optional<WmValue>& value =
            words.at(1) == u"density" ? snapshot.density : snapshot.size;
        if (!value) {
            value = WmValue{};
        }
        value->override = wmArgument(words);
    }
}

std::optional<Command> reversingCommand(const QString& phoneCommand) {
    const QStringList words = shellWords(phoneCommand);
    const auto shaped = [&words](std::initializer_list<QStringView> lead, qsizetype size) {
        return words.size() == size && starts(words, lead);
    };
    // Only the commands the rules above give.
    const bool known = shaped({u"pm", u"enable"}, 3) || shaped({u"pm", u"disable-user"}, 3) ||
                       shaped({u"cmd", u"package", u"install-existing"}, 4) ||
                       shaped({u"settings", u"put"}, 5) || shaped({u"settings", u"delete"}, 4) ||
                       shaped({u"wm", u"density"}, 3) || shaped({u"wm", u"size"}, 3) ||
                       shaped({u"wm", u"overscan", u"reset"}, 3) ||
                       shaped({u"dumpsys", u"battery", u"reset"}, 3);
    if (!known) {
        return std::nullopt;
    }
    Command command(u"adb shell ");
    for (qsizetype at = 0; at < words.size(); ++at) {
        const QString& word = words.at(at);
        if (at > 0) {
            command.fixed(u" ");
        }
        const QString plain = unquoted(word);
        if (plain != word) {
            command.typed(plain, Splice::PhoneQuoted);
        } else {
            // A package or key standing last must not read as an option; a value may.
            const bool name = at + 1 == words.size() && !starts(words, {u"settings", u"put"});
            command.typed(word, name ? Splice::PhoneName : Splice::PhoneBare);
        }
    }
    if (command.refusal() != Refusal::None) {
        return std::nullopt;
    }
    return command;
}

QString shownRestores(const QString& kept) {
    for (const char* word : {kRestoresDefault, kRestoresNoValue, kRestoresEnabled,
                             kRestoresDisabled, kRestoresInstalled, kRestoresActualBattery}) {
        if (kept == QString::fromUtf8(word)) {
            return QCoreApplication::translate("kavu::journal", word);
        }
    }
    // "默认（PHYSICAL）": the physical value stays as the phone printed it.
    const QString defaultOf = QString::fromUtf8(kRestoresDefaultOf);
    const QString head = defaultOf.section(QStringLiteral("%1"), 0, 0);
    const QString tail = defaultOf.section(QStringLiteral("%1"), 1, 1);
    if (kept.startsWith(head) && kept.endsWith(tail) && kept.size() > head.size() + tail.size()) {
        return QCoreApplication::translate("kavu::journal", kRestoresDefaultOf)
            .arg(kept.mid(head.size(), kept.size() - head.size() - tail.size()));
    }
    return kept;
}

} // namespace kavu::journal
