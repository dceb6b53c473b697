#pragma once

#include "core/launch.h"
#include "core/typed_text.h"
#include "shell/features.h"
#include "platform/services.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <typeindex>

class QLineEdit;

namespace kavu {

class Form1;

// The program's registry of windows and the services they act through. Each window exists at
// most once: created and loaded on first use, shown modeless without an owner, brought to the
// front when opened again, destroyed when closed.
class App {
public:
    explicit App(Services services);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ProcessStarter& processes() const { return m_services.processes; }
    MessageBoxes& messages() const { return m_services.messages; }
    Pause& pause() const { return m_services.pause; }
    RandomSource& random() const { return m_services.random; }
    Browser& browser() const { return m_services.browser; }
    QString programFolder() const { return m_services.program.programFolder(); }
    // The File folder beside the program, where the user puts packages and images.
    QString fileFolder() const;

    // The main window; when it is not there it is loaded with its whole start-up. Null when the
    // start-up check failed: the program is then ending.
    Form1* form1();

    // Window W shown and brought to the front, created and loaded first when it is not there.
    template <class W> W* open();
    // Window W, created and loaded without being shown when it is not there.
    template <class W> W* loaded();
    // Window W if it is there, else null.
    template <class W> W* find() const;

    // A value of type T kept for the whole run of the program (created on first use), for the
    // little state that outlives the window that uses it.
    template <class T> T& state();

    // What the launcher does for a feature; a feature without an opener says it is not built.
    void setOpener(Feature feature, std::function<void()> opener);
    void openFeature(Feature feature);

    // The console launcher: the text goes into the main window's command box, is read back and
    // joined with the form's prefix and the suffix; the line starts at once in the form's mode.
    void run(const QString& text, const launch::Form& form, const QString& suffix = {});
    // The same through a window's own hidden command box.
    void runThrough(QLineEdit& box, const QString& text, const launch::Form& form,
                    const QString& suffix = {});
    // A whole fixed line that takes no command box.
    void startLine(const QString& line, launch::WindowMode mode);

    // Whether typed text may be spliced into a command line; if not, the user is told and the
    // caller runs nothing.
    bool acceptTyped(const QString& text, Splice splice = Splice::Unquoted);

private:
    QWidget* existing(std::type_index type) const;
    void adopt(std::type_index type, QWidget* window);
    static void bringToFront(QWidget* window);

    Services m_services;
    std::map<std::type_index, QPointer<QWidget>> m_windows;
    std::map<Feature, std::function<void()>> m_openers;
    std::map<std::type_index, std::shared_ptr<void>> m_states;
};

template <class T> T& App::state() {
    std::shared_ptr<void>& slot = m_states[typeid(T)];
    if (!slot) {
        slot = std::make_shared<T>();
    }
    return *static_cast<T*>(slot.get());
}

template <class W> W* App::find() const { return static_cast<W*>(existing(typeid(W))); }

template <class W> W* App::loaded() {
    if (W* window = find<W>()) {
        return window;
    }
    auto* window = new W(*this);
    adopt(typeid(W), window);
    return window;
}

template <class W> W* App::open() {
    W* window = loaded<W>();
    bringToFront(window);
    return window;
}

} // namespace kavu
