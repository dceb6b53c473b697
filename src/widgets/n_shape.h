#pragma once

#include "widgets/kit_input.h"

#include <QColor>
#include <QPixmap>
#include <QRect>

#include <array>

namespace kavu {

// Shape button: an owner-drawn push button. MouseDown comes when any mouse button goes down on
// it (1 left, 2 right, 4 middle); Click comes on the release of that button, also when the
// pointer left the button before the release. Space, Return and an assistive tool's press do
// what a left click does.
//
// The button is a filled shape (Style) with a centred or left-packed caption and an optional
// picture. Fill, border and caption colours follow three visual states: normal, hover (pointer
// over it, no button held) and down (left button held on it). A new button has the look every
// window uses: white, light grey frame, grey with a black frame under the pointer, grey caption
// and frame while pressed, rectangle, caption at 10 points, centred.
//
// A new button has that standard look rather than the plainer one a freshly placed control would
// get elsewhere (grey fill, rounded, 8 points, sized to its text): every window uses the standard
// look, so the .ui files only name what differs from it.
//
// While a Click handler runs, the button keeps its pressed look, even when the handler opens a
// modal box that takes the pointer away; the look of the new state comes when it returns. Every
// repaint the button asks for itself (a key released, the pointer gone) shows Picture_Normal
// again.
//
// A button that takes the focus from the keyboard shows a dotted focus mark inside its edge in the
// caption colour, unless BorderGotFocus shows the focus with BorderCustom.
//
// Setters are named after their property (setText_Visible for Text_Visible) so that a promoted
// widget in a .ui file can set them; the one exception is Style, set through setShapeStyle
// because QWidget::setStyle has another meaning.
class N_Shape : public KitInput {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor BackGround READ backGround WRITE setBackGround)
    Q_PROPERTY(QColor BackColorNormal READ backColorNormal WRITE setBackColorNormal)
    Q_PROPERTY(QColor BackColorHover READ backColorHover WRITE setBackColorHover)
    Q_PROPERTY(QColor BackColorDown READ backColorDown WRITE setBackColorDown)
    Q_PROPERTY(QColor BorderColorNormal READ borderColorNormal WRITE setBorderColorNormal)
    Q_PROPERTY(QColor BorderColorHover READ borderColorHover WRITE setBorderColorHover)
    Q_PROPERTY(QColor BorderColorDown READ borderColorDown WRITE setBorderColorDown)
    Q_PROPERTY(QColor ForeColorNormal READ foreColorNormal WRITE setForeColorNormal)
    Q_PROPERTY(QColor ForeColorHover READ foreColorHover WRITE setForeColorHover)
    Q_PROPERTY(QColor ForeColorDown READ foreColorDown WRITE setForeColorDown)
    Q_PROPERTY(QColor BorderCustom READ borderCustom WRITE setBorderCustom)
    Q_PROPERTY(bool BorderGotFocus READ borderGotFocus WRITE setBorderGotFocus)
    Q_PROPERTY(int Style READ shapeStyle WRITE setShapeStyle)
    Q_PROPERTY(int FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)
    Q_PROPERTY(bool Graphical READ graphical WRITE setGraphical)
    Q_PROPERTY(bool Text_Visible READ textVisible WRITE setText_Visible)
    Q_PROPERTY(bool StretchToText READ stretchToText WRITE setStretchToText)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(QPixmap Picture_Normal READ pictureNormal WRITE setPicture_Normal)
    Q_PROPERTY(QPixmap Picture_Hover READ pictureHover WRITE setPicture_Hover)
    Q_PROPERTY(QPixmap Picture_Down READ pictureDown WRITE setPicture_Down)
    Q_PROPERTY(int CurPicture READ curPicture)
    Q_PROPERTY(bool MouseInside READ mouseInside)

public:
    // Outline of the shape (Style).
    enum ShapeStyle {
        Rectangle = 0,
        Square = 1,
        Oval = 2,
        Circle = 3,
        RoundedRectangle = 4,
        RoundedSquare = 5,
    };
    // Visual state: which colour set the shape shows.
    enum VisualState { Normal = 0, Hover = 1, Down = 2 };

    explicit N_Shape(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    QColor backGround() const { return m_backGround; }
    void setBackGround(const QColor& color);
    // The Normal colours read back what the shape shows right now (the hover fill while the
    // pointer is over the button); setting one stores it and shows it at once.
    QColor backColorNormal() const { return m_shownColors.back; }
    void setBackColorNormal(const QColor& color);
    QColor backColorHover() const { return m_colors[Hover].back; }
    void setBackColorHover(const QColor& color) { m_colors[Hover].back = color; }
    QColor backColorDown() const { return m_colors[Down].back; }
    void setBackColorDown(const QColor& color) { m_colors[Down].back = color; }
    QColor borderColorNormal() const { return m_shownColors.border; }
    void setBorderColorNormal(const QColor& color);
    QColor borderColorHover() const { return m_colors[Hover].border; }
    void setBorderColorHover(const QColor& color) { m_colors[Hover].border = color; }
    QColor borderColorDown() const { return m_colors[Down].border; }
    void setBorderColorDown(const QColor& color) { m_colors[Down].border = color; }
    QColor foreColorNormal() const { return m_shownColors.fore; }
    void setForeColorNormal(const QColor& color);
    QColor foreColorHover() const { return m_colors[Hover].fore; }
    void setForeColorHover(const QColor& color) { m_colors[Hover].fore = color; }
    QColor foreColorDown() const { return m_colors[Down].fore; }
    void setForeColorDown(const QColor& color) { m_colors[Down].fore = color; }
    QColor borderCustom() const { return m_borderCustom; }
    void setBorderCustom(const QColor& color) { m_borderCustom = color; }
    bool borderGotFocus() const { return m_borderGotFocus; }
    void setBorderGotFocus(bool on) { m_borderGotFocus = on; }

    int shapeStyle() const { return m_shapeStyle; }
    void setShapeStyle(int style);
    int fontSize() const { return m_fontSize; }
    void setFontSize(int points);
    bool fontBold() const { return m_fontBold; }
    void setFontBold(bool bold);
    bool graphical() const { return m_graphical; }
    void setGraphical(bool on);
    bool textVisible() const { return m_textVisible; }
    void setText_Visible(bool on);
    bool stretchToText() const { return m_stretchToText; }
    void setStretchToText(bool on);
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);

    QPixmap pictureNormal() const { return m_pictureNormal; }
    void setPicture_Normal(const QPixmap& picture);
    QPixmap pictureHover() const { return m_pictureHover; }
    void setPicture_Hover(const QPixmap& picture) { m_pictureHover = picture; }
    QPixmap pictureDown() const { return m_pictureDown; }
    void setPicture_Down(const QPixmap& picture) { m_pictureDown = picture; }
    // Which picture is shown: 3 the normal one, 1 the down one, 2 the hover one, 0 none.
    int curPicture() const;
    bool mouseInside() const { return m_mouseInside; }

    int visualState() const { return m_state; }
    // Where the caption and the picture sit, in the button's pixels, for its current size.
    QRect captionRect() const;
    QRect pictureRect() const;

    // Lays out shape, picture and caption; with StretchToText the width follows the content.
    void Ajustar_Botao();

    // Repaints the button and shows Picture_Normal again.
    void refresh();

    QAccessible::Role accessibleRole() const override { return QAccessible::PushButton; }
    QString accessibleCaption() const override { return m_caption; }
    void addAccessibleState(QAccessible::State& state) const override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void DblClick();
    void MouseEnter();
    void MouseLeave();
    // Declared for completeness of the event set; the button never raises it.
    void MouseOver();
    void Resize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void pressed(const kit::MouseInput& input) override;
    void released(const kit::MouseInput& input) override;
    void moved(const kit::MouseInput& input) override;
    void doubleClicked() override;
    void enabledChanged() override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyDown(QKeyEvent& event) override;
    void keyUp(QKeyEvent& event) override;
    void pressDropped() override;
    void pointerLeftWhileHeld() override { pointerGone(); }
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Shown { Normal, Hover, Down };
    // Fill, border and caption colour of one visual state.
    struct StateColors {
        QColor back;
        QColor border;
        QColor fore;
    };

    void applyState();
    void setState(VisualState state);
    void showPicture(Shown which);
    void enterHover();
    void pointerGone();
    QFont captionFont() const;
    QSize contentSize() const;
    // With StretchToText, gives the button the width of its content.
    void fitWidthToContent();
    QSize pictureSize() const;
    const QPixmap& shownPicture() const;

    QString m_caption;

    VisualState m_state = Normal;
    // The pointer entered with no button held; MouseEnter was raised, MouseLeave is due.
    bool m_entered = false;
    // Between MouseEnter and MouseLeave (the hover watch runs).
    bool m_watching = false;
    bool m_mouseInside = false;
    // A Click handler is running: the pressed look stays until it returns.
    bool m_clickRunning = false;
    Shown m_shown = Shown::Normal;

    // Colours per visual state (indexed by VisualState), and what the shape shows right now.
    std::array<StateColors, 3> m_colors;
    StateColors m_shownColors;
    QColor m_rememberedBorder;

    QColor m_backGround;
    QColor m_borderCustom;
    bool m_borderGotFocus = false;

    int m_shapeStyle = Rectangle;
    int m_fontSize = 10;
    bool m_fontBold = false;
    bool m_graphical = false;
    bool m_textVisible = true;
    bool m_stretchToText = false;
    bool m_stretch = false;

    QPixmap m_pictureNormal;
    QPixmap m_pictureHover;
    QPixmap m_pictureDown;
};

} // namespace kavu
