#include "shell/blank_run.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

namespace kavu {

void placeInBlankRun(QLabel& host, QWidget& inset, qsizetype start, qsizetype length) {
    const QString text = host.text();
    const QString blanks = text.mid(start, length);
    const int insetWidth = inset.sizeHint().width();
    if (QFontMetrics(host.font()).horizontalAdvance(blanks) < insetWidth) {
        QFont widened = host.font();
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        widened.setFamilies({QFontInfo(fixed).family(), widened.family()});
        host.setFont(widened);
    }
    const QFontMetrics metrics(host.font());
    const int runLeft = host.x() + metrics.horizontalAdvance(text.left(start));
    const int runWidth = metrics.horizontalAdvance(blanks);
    inset.setGeometry(runLeft + (runWidth - insetWidth) / 2, host.y(), insetWidth, host.height());
    inset.raise();
}

} // namespace kavu
