#include "widgets/n_shape.h"

#include "widgets/kit_paint.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace kavu {

namespace {

// Gap between the button's edge, the picture and the caption.
constexpr int Margin = 8;

QColor disabledCaption() {
    return {179, 179, 179};
}

} // namespace

N_Shape::N_Shape(QWidget* parent)
    : KitInput(parent)
    , m_colors{{
          {QColor(255, 255, 255), QColor(224, 224, 224), QColor(0, 0, 0)},       // normal
          {QColor(224, 224, 224), QColor(0, 0, 0), QColor(0, 0, 0)},             // hover
          {QColor(255, 255, 255), QColor(192, 192, 192), QColor(192, 192, 192)}, // down
      }}
    , m_backGround(255, 255, 255)
    , m_borderCustom(255, 255, 255) {
    applyState();
    Ajustar_Botao();
}

void N_Shape::setCaption(const QString& caption) {
    m_caption = caption;
    Ajustar_Botao();
    announceName();
}

void N_Shape::setBackGround(const QColor& color) {
    m_backGround = color;
    update();
}

void N_Shape::setBackColorNormal(const QColor& color) {
    m_colors[Normal].back = color;
    m_shownColors.back = color;
    update();
}

void N_Shape::setBorderColorNormal(const QColor& color) {
    m_colors[Normal].border = color;
    m_shownColors.border = color;
    update();
}

void N_Shape::setForeColorNormal(const QColor& color) {
    m_colors[Normal].fore = color;
    m_shownColors.fore = isEnabled() ? color : disabledCaption();
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
    // Shown at once, also when the normal picture was already the one shown: the new one may be
    // of another size.
    m_shown = Shown::Normal;
    Ajustar_Botao();
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
    return kit::captionFont(m_fontSize, m_fontBold);
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

void N_Shape::fitWidthToContent() {
    if (!m_stretchToText)
        return;
    const int width = contentSize().width();
    if (width != this->width())
        resize(width, height());
}

void N_Shape::Ajustar_Botao() {
    fitWidthToContent();
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
    // The pressed look stays while a Click handler runs; the state is shown when it returns.
    if (m_clickRunning)
        return;
    m_shownColors = m_colors[m_state];
    if (!isEnabled())
        m_shownColors.fore = disabledCaption();
    update();
}

void N_Shape::setState(VisualState state) {
    const bool pressedChanged = (m_state == Down) != (state == Down);
    m_state = state;
    applyState();
    if (pressedChanged) {
        QAccessible::State changed;
        changed.pressed = true;
        announceState(changed);
    }
}

void N_Shape::addAccessibleState(QAccessible::State& state) const {
    state.pressed = m_state == Down;
}

void N_Shape::refresh() {
    showPicture(Shown::Normal);
    update();
}

void N_Shape::enterHover() {
    m_entered = true;
    m_watching = true;
    const QPointer<N_Shape> alive(this);
    emit MouseEnter();
    if (alive)
        setState(Hover);
}

// The pointer has left the button: the picture goes back to normal (MouseOut), and the hover
// watch ends (MouseLeave).
void N_Shape::pointerGone() {
    const QPointer<N_Shape> alive(this);
    if (m_mouseInside) {
        m_mouseInside = false;
        refresh();
        emit MouseOut();
        if (!alive)
            return;
    }
    m_entered = false;
    if (m_watching) {
        m_watching = false;
        emit MouseLeave();
        if (!alive)
            return;
    }
    if (m_state != Normal)
        setState(Normal);
}

void N_Shape::pressed(const kit::MouseInput& input) {
    showPicture(Shown::Down);
    const QPointer<N_Shape> alive(this);
    emitMouse(&KitInput::MouseDown, input);
    if (alive && input.button == Qt::LeftButton)
        setState(Down);
}

void N_Shape::doubleClicked() {
    emit DblClick();
}

void N_Shape::released(const kit::MouseInput& input) {
    // A pointer that was dragged off has already been reported gone.
    if (!pointerGoneWhileHeld()) {
        showPicture(Shown::Hover);
        m_mouseInside = true;
    }
    const QPointer<N_Shape> alive(this);
    emitMouse(&KitInput::MouseUp, input);
    if (!alive)
        return;
    // The new state is decided now but shown only after the Click handler returned, so the
    // button keeps its pressed look while the handler runs, whatever the pointer does meanwhile.
    if (heldButtons().testFlag(Qt::LeftButton))
        m_state = Down;
    else
        m_state = input.inside ? Hover : Normal;
    m_clickRunning = true;
    emit Click();
    if (!alive)
        return;
    m_clickRunning = false;
    setState(m_state);
}

void N_Shape::moved(const kit::MouseInput& input) {
    const QPointer<N_Shape> alive(this);
    emitMouse(&KitInput::MouseMove, input);
    if (!alive || !isEnabled())
        return;
    const Qt::MouseButtons held = heldButtons();
    const bool leftHeld = input.buttons == 1;
    if (input.buttons == 0 || leftHeld) {
        if (!input.inside) {
            m_entered = false;
            if (m_state != Normal)
                setState(Normal);
        } else if (input.buttons == 0) {
            if (!m_entered) {
                enterHover();
                if (!alive)
                    return;
            }
        } else if (held.testFlag(Qt::LeftButton)) {
            // Dragging with the left button held ends the entry: the next move without a button
            // raises MouseEnter again.
            m_entered = false;
            if (m_state != Down)
                setState(Down);
        }
    }
    if (!leftHeld) {
        if (input.inside && !m_mouseInside) {
            m_mouseInside = true;
            showPicture(Shown::Hover);
        } else if (!input.inside && m_mouseInside && held == Qt::NoButton) {
            pointerGone();
        }
    }
}

void N_Shape::enterEvent(QEnterEvent* event) {
    KitInput::enterEvent(event);
    if (!isEnabled() || heldButtons() != Qt::NoButton)
        return;
    if (!m_entered)
        enterHover();
    if (!m_mouseInside) {
        m_mouseInside = true;
        showPicture(Shown::Hover);
    }
}

void N_Shape::leaveEvent(QEvent* event) {
    KitInput::leaveEvent(event);
    if (heldButtons().testFlag(Qt::LeftButton))
        return;
    pointerGone();
}

void N_Shape::keyDown(QKeyEvent& event) {
    // Arrow keys walk the tab order.
    switch (event.key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        focusNextPrevChild(true);
        event.accept();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        focusNextPrevChild(false);
        event.accept();
        break;
    default:
        QWidget::keyPressEvent(&event);
        break;
    }
    const QPointer<N_Shape> alive(this);
    emitKeyDown(event);
    if (alive && kit::keyAscii(event) != 0)
        emit KeyPress(kit::keyAscii(event));
}

void N_Shape::keyUp(QKeyEvent& event) {
    QWidget::keyReleaseEvent(&event);
    const QPointer<N_Shape> alive(this);
    emitKeyUp(event);
    if (alive)
        refresh();
}

void N_Shape::pressDropped() {
    showPicture(Shown::Normal);
    setState(underMouse() ? Hover : Normal);
}

void N_Shape::focusInEvent(QFocusEvent* event) {
    KitInput::focusInEvent(event);
    if (m_borderGotFocus) {
        m_rememberedBorder = m_shownColors.border;
        m_shownColors.border = m_borderCustom;
        update();
    }
}

void N_Shape::focusOutEvent(QFocusEvent* event) {
    KitInput::focusOutEvent(event);
    if (m_borderGotFocus && m_rememberedBorder.isValid()) {
        m_shownColors.border = m_rememberedBorder;
        update();
    }
}

void N_Shape::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QPointer<N_Shape> alive(this);
    emit Resize();
    if (!alive)
        return;
    // Only the width is corrected here: asking the container for a new layout from inside a
    // resize could make the two fight.
    fitWidthToContent();
    update();
}

void N_Shape::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void N_Shape::enabledChanged() {
    if (!isEnabled()) {
        // A disabled button forgets any press in progress and shows its normal colours.
        m_entered = false;
        m_watching = false;
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
    painter.setPen(QPen(m_shownColors.border, 1.0));
    painter.setBrush(m_shownColors.back);
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
        painter.setPen(m_shownColors.fore);
        painter.drawText(captionRect(), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
    }
    // With BorderGotFocus the border itself shows the focus.
    if (!m_borderGotFocus)
        paintFocusMark(painter, m_shownColors.fore);
}

} // namespace kavu
