#include "platform/font_check.h"

#include <QFontDatabase>
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

} // namespace kavu
