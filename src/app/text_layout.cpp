#include "app/text_layout.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace kavu {

QFont monospaceFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Consolas"), font.family()});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

namespace {

int widthOf(const QLabel& label) {
    return QFontMetrics(label.font()).horizontalAdvance(label.text());
}

bool runsFit(const QFont& font, const QString& text, std::initializer_list<BlankRun> runs) {
    const QFontMetrics metrics(font);
    for (const BlankRun& run : runs) {
        if (metrics.horizontalAdvance(text.mid(run.start, run.length)) < widthOf(run.inset)) {
            return false;
        }
    }
    return true;
}

// Faces with wider blanks, narrowest first; those not installed are passed over.
QStringList blankFaces() {
    QStringList faces;
    for (const QString& face : {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial"), QStringLiteral("SimSun")}) {
        if (QFontDatabase::hasFamily(face)) {
            faces.append(face);
        }
    }
    faces.append(QFontInfo(monospaceFont()).family());
    return faces;
}

} // namespace

namespace {

// Where the line's words stand, and the labels set over and after it, at the host's font.
struct LineFit {
    const QLabel& host;
    std::initializer_list<BlankRun> runs;
    const QLabel* after;

    int textWidth() const { return QFontMetrics(host.font()).horizontalAdvance(host.text()); }
    int afterLeft() const {
        return host.x() + QFontMetrics(host.font()).horizontalAdvance(host.text() + u' ');
    }
    bool fits() const {
        const int room =
            host.parentWidget() != nullptr ? host.parentWidget()->width() : host.width();
        return textWidth() <= host.width() &&
               (after == nullptr || afterLeft() + widthOf(*after) <= room);
    }
};

constexpr qreal kSmallestPoints = 6.0;

void shrinkBy(QLabel& label, qreal factor) {
    QFont font = label.font();
    font.setPointSizeF(font.pointSizeF() * factor);
    label.setFont(font);
}

} // namespace

void placeInBlankRuns(QLabel& host, std::initializer_list<BlankRun> runs, QLabel* after) {
    const QString text = host.text();
    if (!runsFit(host.font(), text, runs)) {
        // The monospaced face, the widest, stays when none fits.
        const QFont own = host.font();
        for (const QString& face : blankFaces()) {
            QFont widened = own;
            widened.setFamilies({face, own.family()});
            host.setFont(widened);
            if (runsFit(widened, text, runs)) {
                break;
            }
        }
    }
    // A line too long for its room (large fonts, wide blanks) is set smaller, labels and all,
    // so that nothing is cut off.
    const LineFit line{host, runs, after};
    while (!line.fits() && host.font().pointSizeF() > kSmallestPoints) {
        const qreal factor = (host.font().pointSizeF() - 0.5) / host.font().pointSizeF();
        shrinkBy(host, factor);
        for (const BlankRun& run : runs) {
            shrinkBy(run.inset, factor);
        }
        if (after != nullptr) {
            shrinkBy(*after, factor);
        }
    }
    const QFontMetrics metrics(host.font());
    for (const BlankRun& run : runs) {
        const int runLeft = host.x() + metrics.horizontalAdvance(text.left(run.start));
        const int runWidth = metrics.horizontalAdvance(text.mid(run.start, run.length));
        const int insetWidth = widthOf(run.inset);
        run.inset.setGeometry(runLeft + (runWidth - insetWidth) / 2, host.y(), insetWidth,
                              host.height());
        run.inset.raise();
    }
    if (after != nullptr) {
        after->setGeometry(line.afterLeft(), host.y(), widthOf(*after), host.height());
        after->raise();
    }
    // Every label of the line draws from the same top, its baseline where the host's is: centred,
    // a label that takes the focus (as a link does) rounds half a pixel the other way, and a face
    // of another height would stand higher or lower.
    const int top = std::max(0, (host.height() - metrics.height()) / 2);
    const auto onBaseline = [&](QLabel& label) {
        label.setAlignment((label.alignment() & ~Qt::AlignVertical_Mask) | Qt::AlignTop);
        const int ascent = QFontMetrics(label.font()).ascent();
        label.setContentsMargins(0, std::max(0, top + metrics.ascent() - ascent), 0, 0);
    };
    onBaseline(host);
    for (const BlankRun& run : runs) {
        onBaseline(run.inset);
    }
    if (after != nullptr) {
        onBaseline(*after);
    }
}

} // namespace kavu
