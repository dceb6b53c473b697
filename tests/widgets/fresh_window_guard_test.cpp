#include "widgets/fresh_window_guard.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace kavu;

// The pointer's input goes through the window, as the platform delivers it.
class FreshWindowGuardTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void inputAfterShowing_data();
    void inputAfterShowing();
    void raisingArmsAgain();

private:
    static constexpr int kInterval = 150;
};

void FreshWindowGuardTest::init() {
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(kInterval);
}

void FreshWindowGuardTest::inputAfterShowing_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("clicks");

    QTest::newRow("click at once") << u"click"_s << 0;
    QTest::newRow("double click at once") << u"double"_s << 0;
    QTest::newRow("space at once") << u"space"_s << 1;
    QTest::newRow("click after the interval") << u"late click"_s << 1;
    // The release belongs to a dropped press: it clicks nothing, and leaves nothing behind.
    QTest::newRow("press at once, release late") << u"late release"_s << 0;
}

void FreshWindowGuardTest::inputAfterShowing() {
    QFETCH(QString, input);
    QFETCH(int, clicks);

    FreshWindowGuard guard;
    QPushButton button(u"Download"_s);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QWindow* window = button.windowHandle();
    const QPoint middle = button.rect().center();

    if (input == u"click") {
        QTest::mouseClick(window, Qt::LeftButton, {}, middle);
    } else if (input == u"double") {
        QTest::mouseDClick(window, Qt::LeftButton, {}, middle);
    } else if (input == u"space") {
        button.setFocus();
        QTest::keyClick(window, Qt::Key_Space);
    } else if (input == u"late click") {
        QTest::qWait(kInterval + 50);
        QTest::mouseClick(window, Qt::LeftButton, {}, middle);
    } else {
        QTest::mousePress(window, Qt::LeftButton, {}, middle);
        QTest::qWait(kInterval + 50);
        QTest::mouseRelease(window, Qt::LeftButton, {}, middle);
    }
    QCOMPARE(clicked.count(), clicks);

    if (input == u"late release") {
        QTest::mouseClick(window, Qt::LeftButton, {}, middle);
        QCOMPARE(clicked.count(), 1);
    }
}

void FreshWindowGuardTest::raisingArmsAgain() {
    FreshWindowGuard guard;
    QPushButton button(u"Download"_s);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::qWait(kInterval + 50);

    button.raise();
    QTest::mouseClick(button.windowHandle(), Qt::LeftButton, {}, button.rect().center());
    QCOMPARE(clicked.count(), 0);
}

QTEST_MAIN(FreshWindowGuardTest)
#include "fresh_window_guard_test.moc"
