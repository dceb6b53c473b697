#include "widgets/n_shape.h"

#include "widgets/kit_paint.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace {

// Gap between the button's edge, the picture and the caption.
constexpr int Margin = 8;

QColor disabledCaption() {
    return {179, 179, 179};
}

} // namespace

N_Shape::N_Shape(QWidget* parent)
    : QWidget(parent)
    , m_backGround(255, 255, 255)
    , m_backNormal(255, 255, 255)
    , m_backHover(224, 224, 224)
    , m_backDown(255, 255, 255)
    , m_borderNormal(224, 224, 224)
    , m_borderHover(0, 0, 0)
    , m_borderDown(192, 192, 192)
    , m_foreNormal(0, 0, 0)
    , m_foreHover(0, 0, 0)
    , m_foreDown(192, 192, 192)
    , m_borderCustom(255, 255, 255) {
    setFocusPolicy(Qt::StrongFocus);
    applyState();
    Ajustar_Botao();
}

void N_Shape::setCaption(const QString& caption) {
    m_caption = caption;
    Ajustar_Botao();
}

void N_Shape::setBackGround(const QColor& color) {
    m_backGround = color;
    update();
}

void N_Shape::setBackColorNormal(const QColor& color) {
    m_backNormal = color;
    m_fill = color;
    update();
}

void N_Shape::setBorderColorNormal(const QColor& color) {
    m_borderNormal = color;
    m_border = color;
    update();
}

void N_Shape::setForeColorNormal(const QColor& color) {
    m_foreNormal = color;
    m_fore = color;
    update();
}

void N_Shape::setShapeStyle(int style) {
    m_shapeStyle = style;
    update();
}

void N_Shape::setFontSize(int points) {
    m_fontSize = points;
    Ajustar_Botao();
}

void N_Shape::setFontBold(bool bold) {
    m_fontBold = bold;
    Ajustar_Botao();
}

void N_Shape::setGraphical(bool on) {
    m_graphical = on;
    Ajustar_Botao();
}

void N_Shape::setText_Visible(bool on) {
    m_textVisible = on;
    Ajustar_Botao();
}

void N_Shape::setStretchToText(bool on) {
    m_stretchToText = on;
    // A layout should then give the button exactly the width of its content.
    QSizePolicy policy = sizePolicy();
    policy.setHorizontalPolicy(on ? QSizePolicy::Fixed : QSizePolicy::Preferred);
    setSizePolicy(policy);
    Ajustar_Botao();
}

void N_Shape::setStretch(bool on) {
    m_stretch = on;
    Ajustar_Botao();
}

void N_Shape::setPicture_Normal(const QPixmap& picture) {
    m_pictureNormal = picture;
    showPicture(Shown::Normal);
}

int N_Shape::curPicture() const {
    const QPixmap& shown = shownPicture();
    if (shown.isNull())
        return 0;
    if (shown.cacheKey() == m_pictureNormal.cacheKey())
        return 3;
    if (shown.cacheKey() == m_pictureDown.cacheKey())
        return 1;
    if (shown.cacheKey() == m_pictureHover.cacheKey())
        return 2;
    return 0;
}

const QPixmap& N_Shape::shownPicture() const {
    switch (m_shown) {
    case Shown::Normal:
        return m_pictureNormal;
    case Shown::Hover:
        return m_pictureHover;
    case Shown::Down:
        return m_pictureDown;
    }
    return m_pictureNormal;
}

void N_Shape::showPicture(Shown which) {
    if (m_shown == which)
        return;
    const QSize before = pictureSize();
    m_shown = which;
    // A picture of another size moves the caption, so the layout runs again.
    if (pictureSize() != before)
        Ajustar_Botao();
    else
        update();
}

QFont N_Shape::captionFont() const {
    return WidgetKit::captionFont(m_fontSize, m_fontBold);
}

QSize N_Shape::pictureSize() const {
    const QPixmap& picture = shownPicture();
    if (picture.isNull())
        return {0, 0};
    const QSize natural = picture.deviceIndependentSize().toSize();
    if (!m_stretch)
        return natural;
    const int side = std::max(0, height() - 2 * Margin);
    return natural.scaled(side, side, Qt::KeepAspectRatio);
}

QSize N_Shape::contentSize() const {
    const QFontMetrics metrics(captionFont());
    const int captionWidth = metrics.horizontalAdvance(m_caption);
    const QSize picture = pictureSize();
    int width = 2 * Margin;
    if (m_textVisible && m_graphical)
        width = captionWidth + 2 * Margin + picture.width() + Margin;
    else if (m_textVisible)
        width = captionWidth + 2 * Margin;
    else if (m_graphical)
        width = picture.width() + 2 * Margin;
    const int captionHeight = m_textVisible ? metrics.height() : 0;
    const int pictureHeight = m_graphical ? picture.height() : 0;
    return {width, std::max(captionHeight, pictureHeight) + Margin};
}

void N_Shape::Ajustar_Botao() {
    if (m_stretchToText) {
        const int width = contentSize().width();
        if (width != this->width())
            resize(width, height());
    }
    updateGeometry();
    update();
}

QRect N_Shape::pictureRect() const {
    const QSize picture = pictureSize();
    return {Margin, (height() - picture.height()) / 2, picture.width(), picture.height()};
}

QRect N_Shape::captionRect() const {
    const QFontMetrics metrics(captionFont());
    const int captionWidth = metrics.horizontalAdvance(m_caption);
    const int captionHeight = metrics.height();
    int left = (width() - captionWidth) / 2;
    if (m_stretchToText && m_graphical) {
        const QRect picture = pictureRect();
        left = picture.left() + picture.width() + Margin;
    } else if (m_stretchToText) {
        left = Margin;
    }
    return {left, (height() - captionHeight) / 2, captionWidth, captionHeight};
}

QSize N_Shape::sizeHint() const {
    const QSize content = contentSize();
    return {std::max(content.width(), 2 * Margin), std::max(content.height(), 25)};
}

QSize N_Shape::minimumSizeHint() const {
    return {2 * Margin, 2 * Margin};
}

void N_Shape::applyState() {
    switch (m_state) {
    case Hover:
        m_fill = m_backHover;
        m_fore = m_foreHover;
        m_border = m_borderHover;
        break;
    case Down:
        m_fill = m_backDown;
        m_fore = m_foreDown;
        m_border = m_borderDown;
        break;
    case Normal:
        m_fill = m_backNormal;
        m_fore = m_foreNormal;
        m_border = m_borderNormal;
        break;
    }
    if (!isEnabled())
        m_fore = disabledCaption();
    update();
}

void N_Shape::setState(VisualState state) {
    m_state = state;
    applyState();
}

void N_Shape::enterHover() {
    m_entered = true;
    m_mouseInside = true;
    showPicture(Shown::Hover);
    const QPointer<N_Shape> alive(this);
    emit MouseEnter();
    if (alive)
        setState(Hover);
}

void N_Shape::leaveHover() {
    const bool wasEntered = m_entered;
    m_entered = false;
    m_mouseInside = false;
    showPicture(Shown::Normal);
    if (wasEntered) {
        const QPointer<N_Shape> alive(this);
        emit MouseLeave();
        if (!alive)
            return;
    }
    setState(Normal);
}

void N_Shape::press(QMouseEvent* event) {
    const int value = WidgetKit::buttonValue(event->button());
    if (value == 0) {
        event->ignore();
        return;
    }
    m_held |= event->button();
    showPicture(Shown::Down);
    const QPointer<N_Shape> alive(this);
    emit MouseDown(value);
    if (alive && event->button() == Qt::LeftButton)
        setState(Down);
}

void N_Shape::mousePressEvent(QMouseEvent* event) {
    press(event);
}

void N_Shape::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click counts as a press of its own, so a quick second click
    // still raises MouseDown and Click.
    press(event);
    if (event->isAccepted())
        emit DblClick();
}

void N_Shape::mouseReleaseEvent(QMouseEvent* event) {
    const int value = WidgetKit::buttonValue(event->button());
    if (value == 0 || !m_held.testFlag(event->button())) {
        event->ignore();
        return;
    }
    m_held.setFlag(event->button(), false);
    const bool inside = rect().contains(event->position().toPoint());
    m_mouseInside = inside;
    m_entered = inside;
    showPicture(inside ? Shown::Hover : Shown::Normal);

    const QPointer<N_Shape> alive(this);
    emit MouseUp(value);
    if (!alive)
        return;
    // The new state is decided now but shown only after the Click handler returned, so the
    // button keeps its pressed look while the handler runs.
    if (m_held.testFlag(Qt::LeftButton))
        m_state = Down;
    else
        m_state = inside ? Hover : Normal;
    emit Click();
    if (alive)
        applyState();
}

void N_Shape::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons == Qt::NoButton || buttons == Qt::LeftButton) {
        if (!inside) {
            m_entered = false;
            if (m_state != Normal)
                setState(Normal);
        } else if (buttons == Qt::NoButton) {
            if (!m_entered)
                enterHover();
        } else if (m_held.testFlag(Qt::LeftButton) && m_state != Down) {
            setState(Down);
        }
    }
    if (!buttons.testFlag(Qt::LeftButton) && m_mouseInside != inside) {
        m_mouseInside = inside;
        showPicture(inside ? Shown::Hover : Shown::Normal);
    }
}

void N_Shape::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (isEnabled() && !m_entered && m_held == Qt::NoButton)
        enterHover();
}

void N_Shape::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_held.testFlag(Qt::LeftButton))
        return;
    if (m_entered || m_mouseInside || m_state != Normal)
        leaveHover();
}

void N_Shape::keyPressEvent(QKeyEvent* event) {
    // Arrow keys walk the tab order; no key clicks the button.
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void N_Shape::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (m_borderGotFocus) {
        m_rememberedBorder = m_border;
        m_border = m_borderCustom;
        update();
    }
}

void N_Shape::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (m_borderGotFocus && m_rememberedBorder.isValid()) {
        m_border = m_rememberedBorder;
        update();
    }
}

void N_Shape::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Only the width is corrected here: asking the container for a new layout from inside a
    // resize could make the two fight.
    if (m_stretchToText) {
        const int width = contentSize().width();
        if (width != this->width())
            resize(width, height());
    }
    update();
}

void N_Shape::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    if (!isEnabled()) {
        // A disabled button forgets any press in progress and shows its normal colours.
        m_held = {};
        m_entered = false;
        m_mouseInside = false;
        m_state = Normal;
        showPicture(Shown::Normal);
    }
    applyState();
}

void N_Shape::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backGround);

    QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool equalSides =
        m_shapeStyle == Square || m_shapeStyle == Circle || m_shapeStyle == RoundedSquare;
    if (equalSides) {
        const qreal side = std::min(shape.width(), shape.height());
        shape = QRectF(shape.center().x() - side / 2, shape.center().y() - side / 2, side, side);
    }
    painter.setPen(QPen(m_border, 1.0));
    painter.setBrush(m_fill);
    switch (m_shapeStyle) {
    case Oval:
    case Circle:
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawEllipse(shape);
        break;
    case RoundedRectangle:
    case RoundedSquare: {
        painter.setRenderHint(QPainter::Antialiasing, true);
        const qreal radius = std::min(shape.width(), shape.height()) / 5.0;
        painter.drawRoundedRect(shape, radius, radius);
        break;
    }
    default:
        painter.drawRect(shape);
        break;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QPixmap& picture = shownPicture();
    if (m_graphical && !picture.isNull())
        painter.drawPixmap(pictureRect(), picture);

    if (m_textVisible && !m_caption.isEmpty()) {
        painter.setFont(captionFont());
        painter.setPen(m_fore);
        painter.drawText(captionRect(), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
    }
}
