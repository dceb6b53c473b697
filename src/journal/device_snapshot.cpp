#include "journal/device_snapshot.h"

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
    QSet<QString> packages;
    for (const QString& line : linesOf(output)) {
        if (line.startsWith(u"package:")) {
            packages.insert(line.mid(8).trimmed());
        }
    }
    return packages;
}

} // namespace kavu::journal
