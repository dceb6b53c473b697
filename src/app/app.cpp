#include "app/app.h"

#include "platform/file_list.h"

#include <QDir>
#include <QLineEdit>

namespace kavu {

App::App(Services services)
    : m_services(services)
    , m_console(services.processes, services.messages, [this]() -> QLineEdit* {
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

void App::setOpener(const LauncherEntry& entry, std::function<void()> opener) {
    m_openers.insert_or_assign(entry.feature, Opener{entry, std::move(opener)});
}

std::vector<LauncherEntry> App::launcherEntries() const {
    std::vector<LauncherEntry> entries;
    entries.reserve(m_openers.size());
    for (const auto& [feature, opener] : m_openers) {
        entries.push_back(opener.entry);
    }
    return entries;
}

void App::openFeature(Feature feature) {
    const auto found = m_openers.find(feature);
    if (found == m_openers.end()) {
        m_services.messages.show(QStringLiteral("该功能尚未完成"), QString(), MessageIcon::None);
        return;
    }
    found->second.open();
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
