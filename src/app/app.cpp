#include "app/app.h"

#include "platform/file_list.h"
#include "platform/shown_text.h"

#include <QDir>

#include <algorithm>
#include <QLineEdit>

namespace kavu {

App::App(Services services)
    : m_services(services)
    , m_console(services.processes, services.messages, services.pause, m_devices,
                [this]() -> QLineEdit* {
                    MainWindow* main = mainWindow();
                    return main ? &main->commandBox() : nullptr;
                }) {}

App::~App() {
    for (auto& [type, window] : m_windows) {
        delete window.data();
    }
}

QString App::fileFolder() const {
    return fileFolderFor(programFolder(), m_services.program.dataFolder());
}

MainWindow* App::mainWindow() {
    MainWindow* main = m_mainWindowLoader ? m_mainWindowLoader(*this) : nullptr;
    if (main == nullptr) {
        m_services.program.quit();
    }
    return main;
}

namespace {

template <class Openers> auto findEntry(Openers& openers, QStringView label) {
    return std::find_if(openers.begin(), openers.end(),
                        [label](const auto& opener) { return opener.entry.label == label; });
}

} // namespace

void App::setOpener(const LauncherEntry& entry, std::function<void()> opener) {
    const auto found = findEntry(m_openers, entry.label);
    if (found != m_openers.end()) {
        *found = Opener{entry, std::move(opener)};
    } else {
        m_openers.push_back(Opener{entry, std::move(opener)});
    }
}

std::vector<LauncherEntry> App::launcherEntries() const {
    std::vector<LauncherEntry> entries;
    entries.reserve(m_openers.size());
    for (const Opener& opener : m_openers) {
        entries.push_back(opener.entry);
    }
    return entries;
}

void App::openEntry(QStringView label) {
    const auto found = findEntry(m_openers, label);
    if (found == m_openers.end()) {
        m_services.messages.show(shownText(KAVU_TEXT("kavu", "该功能尚未完成")), QString(),
                                 MessageIcon::None);
        return;
    }
    found->open();
}

QWidget* App::existing(std::type_index type) const {
    const auto found = m_windows.find(type);
    return found == m_windows.end() ? nullptr : found->second.data();
}

void App::adopt(std::type_index type, QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_windows[type] = window;
}

void App::bringToFront(QWidget* window) {
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

} // namespace kavu
