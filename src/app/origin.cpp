#include "app/origin.h"

#include "widgets/click_label.h"
#include "widgets/kit_input.h"

#include <QAbstractButton>
#include <QWidget>

namespace kavu {

namespace {

QString captionOf(const QWidget& control) {
    if (const auto* kit = qobject_cast<const KitInput*>(&control)) {
        return kit->accessibleCaption();
    }
    if (const auto* label = qobject_cast<const ClickLabel*>(&control)) {
        // A launcher icon holds only a picture and is named after its caption.
        return label->text().isEmpty() ? label->accessibleName() : label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return button->text();
    }
    return control.accessibleName();
}

} // namespace

Origin originOf(const QWidget& control) {
    return {control.window()->windowTitle(), captionOf(control)};
}

} // namespace kavu
