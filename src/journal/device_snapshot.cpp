#include "journal/device_snapshot.h"

#include "devices/package_list.h"

#include <QStringList>

namespace kavu::journal {

namespace {

QStringList linesOf(std::string_view output) {
    return QString::fromUtf8(output.data(), static_cast<qsizetype>(output.size()))
        .split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

std::optional<QString> settingValue(std::string_view output) {
    QString value = QString::fromUtf8(output.data(), static_cast<qsizetype>(output.size()));
    while (value.endsWith(u'\n') || value.endsWith(u'\r')) {
        value.chop(1);
    }
    if (value == u"null") {
        return std::nullopt;
    }
    return value;
}

std::optional<WmValue> wmValue(std::string_view output) {
    std::optional<WmValue> value;
    std::optional<QString> override;
    for (const QString& line : linesOf(output)) {
        const QString text = line.section(u':', 1).trimmed();
        if (line.startsWith(u"Physical ")) {
            value = WmValue{text, std::nullopt};
        } else if (line.startsWith(u"Override ")) {
            override = text;
        }
    }
    if (value) {
        value->override = override;
    }
    return value;
}

QSet<QString> listedPackages(std::string_view output) {
    // The names come from the phone and become parts of commands: only well-formed ones count.
    QSet<QString> packages;
    for (const std::string& name : adb::listedPackageNames(output)) {
        packages.insert(QString::fromStdString(name));
    }
    return packages;
}

std::optional<PackageState> packageStateOf(std::string_view output) {
    for (const QString& line : linesOf(output)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.startsWith(u"User 0:")) {
            continue;
        }
        std::optional<bool> installed;
        std::optional<int> enabled;
        for (const QString& word : trimmed.split(u' ', Qt::SkipEmptyParts)) {
            if (word.startsWith(u"installed=")) {
                installed = word.mid(10) == u"true";
            } else if (word.startsWith(u"enabled=")) {
                bool number = false;
                const int value = word.mid(8).toInt(&number);
                if (number) {
                    enabled = value;
                }
            }
        }
        if (!installed || !enabled) {
            return std::nullopt;
        }
        if (!*installed) {
            return PackageState::NotInstalled;
        }
        // The package manager's component states: 0 default, 1 enabled, 2 disabled, 3 disabled
        // by the user, 4 disabled until used.
        switch (*enabled) {
        case 0:
        case 1:
            return PackageState::Enabled;
        case 3:
            return PackageState::DisabledUser;
        default:
            return PackageState::Disabled;
        }
    }
    return std::nullopt;
}

} // namespace kavu::journal
