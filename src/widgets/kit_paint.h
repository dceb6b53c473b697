#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QFontMetrics;
class QPainter;

namespace kavu {

// Drawing helpers shared by the widget kit: the caption font, the glyph box layout of
// the check and option buttons and their glyph artwork.
namespace kit {

// Side of the glyph box of check and option buttons, in pixels.
inline constexpr int GlyphSize = 13;
// Left edge of the caption of check and option buttons, in pixels.
inline constexpr int CaptionLeft = 16;

// Look of a glyph.
enum Look { LookNormal = 0, LookHover = 1, LookPressed = 2, LookDisabled = 3 };

// A glyph of a check or option button: the value it shows (0 unchecked, 1 checked, 2 grey) in
// one of the four looks. Its number, 4 × value index + look, names the twelve pictures.
struct Glyph {
    int valueIndex = 0;
    Look look = LookNormal;

    int number() const { return 4 * valueIndex + look; }
    bool operator==(const Glyph&) const = default;
};

// The caption font of the shape button: a YaHei-like CJK face at the given size.
QFont captionFont(int points, bool bold);

// Glyph box of a check or option button of the given size: left 0, vertically centred.
QRect glyphRect(const QSize& control);
// Caption of a check or option button: left CaptionLeft, vertically centred, sized to the text.
QRect glyphCaptionRect(const QSize& control, const QFontMetrics& metrics, const QString& text);
// Size a check or option button needs for its glyph and caption.
QSize glyphButtonSize(const QFontMetrics& metrics, const QString& text);

// Check glyph: a box, with a tick when checked and a grey square when grey.
void drawCheckGlyph(QPainter& painter, const QRect& box, Glyph glyph);
// Option glyph: a ring, with a dot when selected.
void drawOptionGlyph(QPainter& painter, const QRect& box, Glyph glyph);

// Whether a control that takes the focus for this reason shows the focus mark: when the focus came
// from the keyboard (Tab, Shift+Tab, a shortcut), not from a click or from code; a window made
// active again gives back the mark its control had.
bool marksFocus(Qt::FocusReason reason, bool markedBefore);
// Where a control shows that it has the focus from the keyboard: inside its edge, or around the
// caption of a check or option button.
QRect focusMarkRect(const QRect& control);
QRect glyphFocusMarkRect(const QSize& control, const QFontMetrics& metrics, const QString& text);
// The focus mark: a dotted rectangle along the edge of mark, every other pixel, from its
// top-left corner on.
void drawFocusMark(QPainter& painter, const QRect& mark, const QColor& color);

} // namespace kit

} // namespace kavu
