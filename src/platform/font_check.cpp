#include "platform/font_check.h"

#include <QFontDatabase>
#include <QStringList>

#ifndef Q_OS_WIN
#include <fontconfig/fontconfig.h>
#endif

namespace kavu {

#ifndef Q_OS_WIN
namespace {

// The family the font configuration gives for a generic name: its substitutions, then its best
// match. Read from the configuration and its cache alone; no font file is opened, where a font of
// Qt's for the name would load the face.
QString configuredFamily(const char* generic) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    QString family;
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        family = QString::fromUtf8(reinterpret_cast<const char*>(name));
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    return family;
}

} // namespace
#endif

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
    if (configuredFamily("sans-serif") != configuredFamily("serif")) {
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
