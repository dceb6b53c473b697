#pragma once

#include "widgets/kit_input.h"
#include "widgets/kit_paint.h"

#include <QColor>

namespace kavu {

// What the check and option buttons share: a 13-pixel glyph box at the left, vertically centred,
// and the caption 16 pixels in; the caption and its colours; the glyph shown (the value in one of
// four looks); the pointer-out report (MouseOut); and the focus mark around the caption. Each kind
// decides what a press, a move, a release and a key do, and when the glyph changes.
class GlyphButton : public KitInput {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)

public:
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // Caption colour while enabled (black unless set).
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color);
    // Background; an invalid colour (the default) leaves the container's background showing.
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    // Glyph shown now, and its number (4 × value index + look).
    kit::Glyph shownGlyph() const { return {valueIndex(), m_look}; }
    int glyph() const { return shownGlyph().number(); }
    // Caption colour shown now.
    virtual QColor captionColor() const = 0;

    QString accessibleCaption() const override { return m_caption; }
    QRect focusMarkRect() const override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    explicit GlyphButton(QWidget* parent);

    // 0 unchecked, 1 checked, 2 grey.
    virtual int valueIndex() const = 0;
    // Draws the glyph into its box.
    virtual void drawGlyph(QPainter& painter, const QRect& box) const = 0;

    void showLook(kit::Look look);
    // The normal glyph of the value, or the disabled one while disabled.
    void showRestingLook();

    // Timer1 of the pointer-out report: started by pointer moves, it reports MouseOut once the
    // pointer is found outside (the leave notification, or a look 50 ms later when none will
    // come), showing the normal glyph.
    void startOutWatch() { m_outWatch = true; }
    void stopOutWatch() { m_outWatch = false; }
    void checkPointerSoon();
    // Whether the kind lets the watch report now (the option button waits for its release).
    virtual bool mayReportOut() const { return true; }
    // The pointer is over the control or was dragged from it: a move, or (raiseMove false) the
    // pointer arriving.
    virtual void pointerOver(const kit::MouseInput& input, bool raiseMove) = 0;
    void moved(const kit::MouseInput& input) final { pointerOver(input, true); }

    void pointerLeftWhileHeld() override { reportOutIfGone(); }
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void fontChanged() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void reportOutIfGone();

    QString m_caption;
    QColor m_foreColor;
    QColor m_backColor;
    kit::Look m_look = kit::LookNormal;
    bool m_outWatch = false;
};

} // namespace kavu
