#include "platform/shown_text.h"

#include "core/launch.h"

#include <QByteArray>
#include <QCoreApplication>

namespace kavu {

QString shownText(std::string_view marked) {
    // The view of a literal ends at its NUL, a view of other text need not.
    const QByteArray source(marked.data(), static_cast<qsizetype>(marked.size()));
    return QCoreApplication::translate(kShownTextContext, source.constData());
}

std::string translatedText(std::string_view marked) {
    return shownText(marked).toStdString();
}

QString shownConsoleText(std::string_view fixedText) {
    return QString::fromStdString(launch::consoleText(fixedText, translatedText));
}

} // namespace kavu
