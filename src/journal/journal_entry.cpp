#include "journal/journal_entry.h"

#include "journal/json_line.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>

namespace kavu::journal {

namespace {

constexpr std::pair<launch::WindowMode, QStringView> kModeNames[] = {
    {launch::WindowMode::Hidden, u"hidden"},
    {launch::WindowMode::Normal, u"console"},
    {launch::WindowMode::Minimized, u"minimized"},
};

QString modeName(launch::WindowMode mode) {
    for (const auto& [each, name] : kModeNames) {
        if (each == mode) {
            return name.toString();
        }
    }
    return {};
}

constexpr std::pair<Reversal::State, QStringView> kStateNames[] = {
    {Reversal::State::Reversible, u"reversible"},
    {Reversal::State::Irreversible, u"irreversible"},
    {Reversal::State::OldValueUnknown, u"old-value-unknown"},
    {Reversal::State::Unchanged, u"unchanged"},
};

constexpr std::pair<Change::Kind, QStringView> kChangeKinds[] = {
    {Change::Kind::Setting, u"setting"}, {Change::Kind::Density, u"density"},
    {Change::Kind::Size, u"size"},       {Change::Kind::Overscan, u"overscan"},
    {Change::Kind::Battery, u"battery"}, {Change::Kind::Package, u"package"},
};
constexpr std::pair<PackageState, QStringView> kPackageStates[] = {
    {PackageState::Enabled, u"enabled"},   {PackageState::DisabledUser, u"disabled-user"},
    {PackageState::Disabled, u"disabled"}, {PackageState::NotInstalled, u"not-installed"},
    {PackageState::Removed, u"removed"},
};

QJsonObject changeObject(const Change& change) {
    QJsonObject object;
    for (const auto& [kind, name] : kChangeKinds) {
        if (kind == change.kind) {
            object.insert(u"kind", name.toString());
        }
    }
    object.insert(u"space", change.space);
    object.insert(u"key", change.key);
    object.insert(u"value", change.value ? QJsonValue(*change.value) : QJsonValue());
    for (const auto& [state, name] : kPackageStates) {
        if (state == change.state) {
            object.insert(u"state", name.toString());
        }
    }
    object.insert(u"reinstall", change.reinstall);
    return object;
}

// Whether the value is this text, as value.toString() == text.
bool isText(const QJsonValue& value, QStringView text) {
    return value.toString() == text;
}

bool isText(const JsonLineValue& value, QStringView text) {
    return value.isText(text);
}

// The digits' number; -1 when they are not all digits.
int digitsAt(QByteArrayView text, qsizetype at, qsizetype count) {
    int number = 0;
    for (const char c : text.sliced(at, count)) {
        if (c < '0' || c > '9') {
            return -1;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

// A time as the journal writes it, "2024-05-01T12:00:00.250+08:00" (or "…Z" in UTC), read as
// QDateTime::fromString(Qt::ISODateWithMs) reads it; none for any other form, left to that.
std::optional<QDateTime> writtenTime(QByteArrayView text) {
    constexpr qsizetype kLocal = 23; // "yyyy-MM-ddTHH:mm:ss.zzz"
    if (text.size() != kLocal + 1 && text.size() != kLocal + 6) {
        return std::nullopt;
    }
    for (const auto& [at, separator] :
         {std::pair(4, '-'), std::pair(7, '-'), std::pair(10, 'T'), std::pair(13, ':'),
          std::pair(16, ':'), std::pair(19, '.')}) {
        if (text[at] != separator) {
            return std::nullopt;
        }
    }
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    const int second = digitsAt(text, 17, 2);
    const int ms = digitsAt(text, 20, 3);
    // A field not all digits is -1, which QDate would take for a year before Christ.
    if (std::min({year, month, day, hour, minute, second, ms}) < 0 ||
        !QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, second, ms)) {
        return std::nullopt;
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, ms);
    if (text.size() == kLocal + 1) {
        return text[kLocal] == 'Z' ? std::optional(QDateTime(date, time, Qt::UTC)) : std::nullopt;
    }
    const char sign = text[kLocal];
    const int offsetHours = digitsAt(text, kLocal + 1, 2);
    const int offsetMinutes = digitsAt(text, kLocal + 4, 2);
    // Offsets in use are within 14 hours; a larger one is left to QDateTime::fromString().
    if ((sign != '+' && sign != '-') || text[kLocal + 3] != ':' || offsetHours < 0 ||
        offsetHours > 14 || offsetMinutes < 0 || offsetMinutes > 59) {
        return std::nullopt;
    }
    const int offset = (offsetHours * 60 + offsetMinutes) * 60;
    return QDateTime(date, time, Qt::OffsetFromUTC, sign == '-' ? -offset : offset);
}

// The texts of a QJsonObject's values.
struct DocumentTexts {
    QString of(const QJsonValue& value) const { return value.toString(); }
    QDateTime timeOf(const QJsonValue& value) const {
        return QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    }
};

// The texts of a JsonLine's values; with shared texts, those that recur share one copy.
struct LineTexts {
    SharedTexts* shared = nullptr;

    QString of(const JsonLineValue& value) const {
        if (const std::optional<QByteArrayView> utf8 = value.utf8(); utf8 && shared) {
            return shared->text(*utf8);
        }
        return value.toString();
    }
    QDateTime timeOf(const JsonLineValue& value) const {
        if (const std::optional<QByteArrayView> utf8 = value.utf8()) {
            if (std::optional<QDateTime> time = writtenTime(*utf8)) {
                return *std::move(time);
            }
        }
        return QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    }
};

// A change as a journal file keeps it; none for one of no kind known (the file is data). Object
// is a QJsonObject or a JsonLineObject: both answer alike. Members are looked up in the order the
// journal writes them (by name), where a JsonLineObject finds each at the first try.
template <typename Object, typename Texts>
std::optional<Change> changeIn(const Object& object, const Texts& texts) {
    const auto key = object.value(u"key");
    const auto kind = object.value(u"kind");
    const auto reinstall = object.value(u"reinstall");
    const auto space = object.value(u"space");
    const auto state = object.value(u"state");
    const auto value = object.value(u"value");
    Change change;
    bool known = false;
    for (const auto& [each, name] : kChangeKinds) {
        if (isText(kind, name)) {
            change.kind = each;
            known = true;
        }
    }
    if (!known) {
        return std::nullopt;
    }
    for (const auto& [each, name] : kPackageStates) {
        if (isText(state, name)) {
            change.state = each;
        }
    }
    change.space = texts.of(space);
    change.key = texts.of(key);
    if (value.isString()) {
        change.value = texts.of(value);
    }
    change.reinstall = reinstall.toBool();
    return change;
}

QByteArray asLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

void putId(QJsonObject& object, const EntryId& id) {
    object.insert(u"session", id.session);
    object.insert(u"n", id.number);
}

// The id of a number and session; none unless both are there.
template <typename Value, typename Texts>
std::optional<EntryId> idOf(const Value& number, const Value& session, const Texts& texts) {
    if (!session.isString() || !number.isDouble()) {
        return std::nullopt;
    }
    return EntryId{texts.of(session), number.toInteger()};
}

template <typename Object, typename Texts>
std::optional<EntryId> idIn(const Object& object, const Texts& texts) {
    const auto number = object.value(u"n");
    return idOf(number, object.value(u"session"), texts);
}

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

// Names Windows keeps for devices in every folder, whatever follows the first dot.
bool isReservedOnWindows(const QString& serial) {
    const QString stem = serial.section(u'.', 0, 0).toUpper();
    static const QStringList kNames = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                       QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (kNames.contains(stem)) {
        return true;
    }
    return stem.size() == 4 && (stem.startsWith(u"COM") || stem.startsWith(u"LPT")) &&
           stem.at(3).isDigit();
}

} // namespace

QByteArray entryLine(const Entry& entry) {
    QJsonObject object;
    object.insert(u"kind", QStringLiteral("run"));
    putId(object, entry.id);
    // With its offset from UTC ("…+08:00"): read back as the time it was, without looking up the
    // time zone's rules for every line.
    object.insert(
        u"time",
        entry.time.toOffsetFromUtc(entry.time.offsetFromUtc()).toString(Qt::ISODateWithMs));
    object.insert(u"window", entry.window);
    object.insert(u"control", entry.control);
    object.insert(u"line", entry.line);
    object.insert(u"mode", modeName(entry.mode));
    object.insert(u"serial", entry.serial ? QJsonValue(*entry.serial) : QJsonValue());
    object.insert(u"model", entry.model);
    QJsonObject reversal;
    for (const auto& [state, name] : kStateNames) {
        if (state == entry.reversal.state) {
            reversal.insert(u"state", name.toString());
        }
    }
    reversal.insert(u"command", entry.reversal.command);
    reversal.insert(u"restores", entry.reversal.restores);
    if (entry.reversal.undo) {
        reversal.insert(u"undo", changeObject(*entry.reversal.undo));
    }
    object.insert(u"reversal", reversal);
    if (entry.undoes) {
        QJsonObject undoes;
        putId(undoes, *entry.undoes);
        object.insert(u"undoes", undoes);
    }
    return asLine(object);
}

QByteArray notStartedLine(const EntryId& id) {
    QJsonObject object;
    object.insert(u"kind", QStringLiteral("end"));
    putId(object, id);
    object.insert(u"started", false);
    return asLine(object);
}

QByteArray endLine(const EntryId& id, const RunEnd& end) {
    QJsonObject object;
    object.insert(u"kind", QStringLiteral("end"));
    putId(object, id);
    object.insert(u"exit", end.exitCode);
    object.insert(u"output", QString::fromUtf8(end.outputTail.right(kRunOutputTail)));
    return asLine(object);
}

namespace {

// The record in a line's object, read into entry: Object is a QJsonObject or a JsonLineObject,
// which answer alike, and Texts makes their texts. Members are looked up in the order they are
// written, as changeIn does, from the one after "kind".
template <typename Object, typename Texts>
LineHolds recordIn(const Object& object, const Texts& texts, Entry& entry) {
    const auto kind = object.value(u"kind");
    if (isText(kind, u"end")) {
        const auto number = object.value(u"n");
        const auto output = object.value(u"output");
        const auto session = object.value(u"session");
        const auto started = object.value(u"started");
        const auto exit = object.value(u"exit"); // written first: found after the last
        std::optional<EntryId> id = idOf(number, session, texts);
        if (!id) {
            return LineHolds::Nothing;
        }
        entry.id = *std::move(id);
        if (started.toBool(true)) {
            entry.exitCode = exit.toInt(-1);
            entry.output = texts.of(output);
        } else {
            entry.notStarted = true;
        }
        return LineHolds::End;
    }
    if (!isText(kind, u"run")) {
        return LineHolds::Nothing;
    }
    const auto line = object.value(u"line");
    const auto mode = object.value(u"mode");
    const auto model = object.value(u"model");
    const auto number = object.value(u"n");
    const auto reversal = object.value(u"reversal").toObject();
    const auto serial = object.value(u"serial");
    const auto session = object.value(u"session");
    const auto time = object.value(u"time");
    const auto undoes = object.value(u"undoes");
    const auto window = object.value(u"window");
    const auto control = object.value(u"control"); // written first: found after the last
    std::optional<EntryId> id = idOf(number, session, texts);
    const auto named =
        std::find_if(std::cbegin(kModeNames), std::cend(kModeNames),
                     [&mode](const auto& each) { return isText(mode, each.second); });
    if (!id || named == std::cend(kModeNames)) {
        return LineHolds::Nothing;
    }
    entry.id = *std::move(id);
    entry.mode = named->first;
    entry.time = texts.timeOf(time);
    entry.window = texts.of(window);
    entry.control = texts.of(control);
    entry.line = texts.of(line);
    if (serial.isString()) {
        entry.serial = texts.of(serial);
    }
    entry.model = texts.of(model);
    const auto command = reversal.value(u"command");
    const auto restores = reversal.value(u"restores");
    const auto state = reversal.value(u"state");
    const auto undo = reversal.value(u"undo");
    for (const auto& [known, name] : kStateNames) {
        if (isText(state, name)) {
            entry.reversal.state = known;
        }
    }
    if (entry.reversal.state != Reversal::State::Irreversible) {
        entry.reversal.command = texts.of(command);
        entry.reversal.restores = texts.of(restores);
        entry.reversal.undo = changeIn(undo.toObject(), texts);
    }
    if (undoes.isObject()) {
        entry.undoes = idIn(undoes.toObject(), texts);
    }
    return LineHolds::Entry;
}

// The record of a line JsonLine does not read, by the general parser.
LineHolds recordInDocument(QByteArrayView line, Entry& entry) {
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray());
    if (!document.isObject()) {
        return LineHolds::Nothing;
    }
    return recordIn(document.object(), DocumentTexts(), entry);
}

std::optional<Record> recordOf(LineHolds holds, Entry& entry) {
    switch (holds) {
    case LineHolds::Entry:
        return Record{std::move(entry), std::nullopt};
    case LineHolds::End:
        return Record{std::nullopt, std::move(entry)};
    case LineHolds::Nothing:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<Record> readRecord(QByteArrayView line) {
    // Nearly every line is JSON as the journal writes it, read here without building a document;
    // any other is for the general parser, which answers the same for each line both read.
    Entry entry;
    JsonLine json;
    return recordOf(json.read(line) ? recordIn(json.object(), LineTexts(), entry)
                                    : recordInDocument(line, entry),
                    entry);
}

LineHolds RecordReader::read(QByteArrayView line, Entry& entry) {
    return m_json.read(line) ? recordIn(m_json.object(), LineTexts{&m_texts}, entry)
                             : recordInDocument(line, entry);
}

QString fileNameFor(const std::optional<QString>& serial) {
    if (!serial) {
        return QStringLiteral("(no-device).jsonl");
    }
    const QByteArray bytes = serial->toUtf8();
    QString name;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (isNameCharacter(c) && !(i == 0 && isReservedOnWindows(*serial))) {
            name.append(QLatin1Char(c));
        } else {
            name.append(QStringLiteral("%%1")
                            .arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0'))
                            .toUpper());
        }
    }
    return name + QStringLiteral(".jsonl");
}

} // namespace kavu::journal
