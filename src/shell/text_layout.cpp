#include "shell/text_layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

namespace kavu {

QFont monospaceFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Consolas"), font.family()});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void placeInBlankRun(QLabel& host, QLabel& inset, qsizetype start, qsizetype length) {
    const QString text = host.text();
    const QString blanks = text.mid(start, length);
    const int insetWidth = QFontMetrics(inset.font()).horizontalAdvance(inset.text());
    if (QFontMetrics(host.font()).horizontalAdvance(blanks) < insetWidth) {
        QFont widened = host.font();
        widened.setFamilies({QFontInfo(monospaceFont()).family(), widened.family()});
        host.setFont(widened);
    }
    const QFontMetrics metrics(host.font());
    const int runLeft = host.x() + metrics.horizontalAdvance(text.left(start));
    const int runWidth = metrics.horizontalAdvance(blanks);
    inset.setGeometry(runLeft + (runWidth - insetWidth) / 2, host.y(), insetWidth, host.height());
    inset.raise();
}

void placeAfterText(const QLabel& host, QLabel& after) {
    const QFontMetrics metrics(host.font());
    const int width = QFontMetrics(after.font()).horizontalAdvance(after.text());
    const int left = host.x() + metrics.horizontalAdvance(host.text() + QLatin1Char(' '));
    after.setGeometry(left, host.y(), width, host.height());
    after.raise();
}

} // namespace kavu
