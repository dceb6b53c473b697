#pragma once

#include "app/command.h"
#include "app/console_launcher.h"
#include "app/origin.h"

#include <QLineEdit>
#include <QWidget>

#include <span>

namespace kavu {

// A button of a window's form and the fixed command its Click runs.
template <class Form, class Button> struct FixedButton {
    Button* Form::*button;
    const FixedCommand* command;
};

// The one way a window wires its fixed buttons: from one table, each Click running the button's
// command through the console launcher; through ownBox, the window's own hidden command box,
// when one is given, else through the main window's. The button is named as who asked.
template <class Form, class Button>
void connectFixedButtons(QWidget& window, ConsoleLauncher& console, Form& form,
                         std::span<const FixedButton<Form, Button>> buttons,
                         QLineEdit* ownBox = nullptr) {
    for (const auto& [button, command] : buttons) {
        Button* pressed = form.*button;
        QObject::connect(pressed, &Button::Click, &window, [&console, command, ownBox, pressed] {
            if (ownBox != nullptr) {
                console.runThrough(*ownBox, *command, originOf(*pressed));
            } else {
                console.run(*command, originOf(*pressed));
            }
        });
    }
}

} // namespace kavu
