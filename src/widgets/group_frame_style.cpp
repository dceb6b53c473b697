#include "widgets/group_frame_style.h"

#include "widgets/click_label.h"

#include <qdrawutil.h>
#include <QGroupBox>
#include <QStyleFactory>
#include <QStyleOption>

namespace kavu {

namespace {

// Fusion's space above a group box's frame, beyond its title's height.
constexpr int kTopMargin = 3;

} // namespace

GroupFrameStyle::GroupFrameStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    , m_frame(QPixmap::fromImage(readPicture(
          QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png")))) {}

void GroupFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameGroupBox || m_frame.isNull()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // An untitled box that cannot be ticked has no title line to leave room for.
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const int top =
        box != nullptr && !box->isCheckable() && box->title().isEmpty()
            ? kTopMargin
            : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                  kTopMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), m_frame);
}

} // namespace kavu
