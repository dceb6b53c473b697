#include "journal/journal_entry.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace kavu::journal {

namespace {

QString modeName(launch::WindowMode mode) {
    switch (mode) {
    case launch::WindowMode::Hidden:
        return QStringLiteral("hidden");
    case launch::WindowMode::Normal:
        return QStringLiteral("console");
    case launch::WindowMode::Minimized:
        return QStringLiteral("minimized");
    }
    return {};
}

std::optional<launch::WindowMode> modeNamed(const QString& name) {
    for (const launch::WindowMode mode :
         {launch::WindowMode::Hidden, launch::WindowMode::Normal, launch::WindowMode::Minimized}) {
        if (modeName(mode) == name) {
            return mode;
        }
    }
    return std::nullopt;
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

// A change as a journal file keeps it; none for one of no kind known (the file is data).
std::optional<Change> changeIn(const QJsonObject& object) {
    Change change;
    const QString kind = object.value(u"kind").toString();
    bool known = false;
    for (const auto& [each, name] : kChangeKinds) {
        if (kind == name) {
            change.kind = each;
            known = true;
        }
    }
    const QString state = object.value(u"state").toString();
    for (const auto& [each, name] : kPackageStates) {
        if (state == name) {
            change.state = each;
        }
    }
    if (!known) {
        return std::nullopt;
    }
    change.space = object.value(u"space").toString();
    change.key = object.value(u"key").toString();
    if (object.value(u"value").isString()) {
        change.value = object.value(u"value").toString();
    }
    change.reinstall = object.value(u"reinstall").toBool();
    return change;
}

QByteArray asLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

void putId(QJsonObject& object, const EntryId& id) {
    object.insert(u"session", id.session);
    object.insert(u"n", id.number);
}

std::optional<EntryId> idIn(const QJsonObject& object) {
    const QJsonValue session = object.value(u"session");
    const QJsonValue number = object.value(u"n");
    if (!session.isString() || !number.isDouble()) {
        return std::nullopt;
    }
    return EntryId{session.toString(), number.toInteger()};
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
    object.insert(u"time", entry.time.toString(Qt::ISODateWithMs));
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
    object.insert(u"output", QString::fromUtf8(end.outputTail));
    return asLine(object);
}

std::optional<Record> readRecord(QByteArrayView line) {
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray());
    if (!document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const std::optional<EntryId> id = idIn(object);
    if (!id) {
        return std::nullopt;
    }
    const QString kind = object.value(u"kind").toString();
    Entry entry;
    entry.id = *id;
    if (kind == u"end") {
        if (object.value(u"started").toBool(true)) {
            entry.exitCode = object.value(u"exit").toInt(-1);
            entry.output = object.value(u"output").toString();
        } else {
            entry.notStarted = true;
        }
        return Record{std::nullopt, std::move(entry)};
    }
    if (kind != u"run") {
        return std::nullopt;
    }
    const std::optional<launch::WindowMode> mode = modeNamed(object.value(u"mode").toString());
    if (!mode) {
        return std::nullopt;
    }
    entry.mode = *mode;
    entry.time = QDateTime::fromString(object.value(u"time").toString(), Qt::ISODateWithMs);
    entry.window = object.value(u"window").toString();
    entry.control = object.value(u"control").toString();
    entry.line = object.value(u"line").toString();
    const QJsonValue serial = object.value(u"serial");
    if (serial.isString()) {
        entry.serial = serial.toString();
    }
    entry.model = object.value(u"model").toString();
    const QJsonObject reversal = object.value(u"reversal").toObject();
    const QString state = reversal.value(u"state").toString();
    for (const auto& [known, name] : kStateNames) {
        if (state == name) {
            entry.reversal.state = known;
        }
    }
    if (entry.reversal.state != Reversal::State::Irreversible) {
        entry.reversal.command = reversal.value(u"command").toString();
        entry.reversal.restores = reversal.value(u"restores").toString();
        entry.reversal.undo = changeIn(reversal.value(u"undo").toObject());
    }
    if (object.value(u"undoes").isObject()) {
        entry.undoes = idIn(object.value(u"undoes").toObject());
    }
    return Record{std::move(entry), std::nullopt};
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
