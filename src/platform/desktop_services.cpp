#include "platform/desktop_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

#include <chrono>

namespace kavu {

void DialogMessageBoxes::show(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    // Messages quote names from outside (folders, files): they are shown as they are, never as
    // markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void ThreadPause::sleep(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

ClockSeededRandom::ClockSeededRandom()
    : m_engine(static_cast<std::uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

// 53 random bits scaled into [0, 1): never 1 itself.
double ClockSeededRandom::next() {
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

void DesktopBrowser::open(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

QString ApplicationEnvironment::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

QString ApplicationEnvironment::dataFolder() const {
    return qEnvironmentVariable("KAVU_HOME");
}

void ApplicationEnvironment::quit() {
    QCoreApplication::exit(0);
}

} // namespace kavu
