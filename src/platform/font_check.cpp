#include "platform/font_check.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace kavu {

std::optional<QString> missingChineseFont() {
    if (!QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty()) {
        return std::nullopt;
    }
#ifdef Q_OS_WIN
    return QStringLiteral("No font on this system can show Chinese, so Kavu's Chinese texts would "
                          "appear as empty boxes. Install the Chinese language's supplemental "
                          "fonts in Windows' settings (Optional features), then start Kavu again.");
#else
    return QStringLiteral("No font on this system can show Chinese, so Kavu's Chinese texts would "
                          "appear as empty boxes. Install the package fonts-noto-cjk "
                          "(sudo apt install fonts-noto-cjk), then start Kavu again.");
#endif
}

std::optional<QString> sansFaceInstead() {
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    const auto faceFor = [](const QString& generic) { return QFontInfo(QFont(generic)).family(); };
    if (faceFor(QStringLiteral("sans-serif")) != faceFor(QStringLiteral("serif"))) {
        return std::nullopt;
    }
    for (const QString& face : {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("FreeSans")}) {
        if (QFontDatabase::hasFamily(face)) {
            return face;
        }
    }
    return std::nullopt;
#endif
}

} // namespace kavu
