#include "widgets/click_label.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace kavu;

class ClickLabelTest : public QObject {
    Q_OBJECT

private slots:
    void release_data();
    void release();
    void doubleClickIsOneClick();
    void keysFollowALink_data();
    void keysFollowALink();
};

void ClickLabelTest::release_data() {
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");

    QTest::newRow("left inside") << Qt::LeftButton << QPoint(10, 5) << true << 1;
    QTest::newRow("left outside") << Qt::LeftButton << QPoint(200, 5) << true << 0;
    QTest::newRow("right inside") << Qt::RightButton << QPoint(10, 5) << true << 0;
    QTest::newRow("middle inside") << Qt::MiddleButton << QPoint(10, 5) << true << 0;
    QTest::newRow("left inside, disabled") << Qt::LeftButton << QPoint(10, 5) << false << 0;
}

void ClickLabelTest::release() {
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(QPoint, releaseAt);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);

    ClickLabel label;
    label.setText(u"帮助"_s);
    label.resize(60, 20);
    label.setEnabled(enabled);
    QSignalSpy clicked(&label, &ClickLabel::clicked);

    QTest::mousePress(&label, mouseButton, {}, QPoint(10, 5));
    QCOMPARE(clicked.count(), 0);
    QTest::mouseRelease(&label, mouseButton, {}, releaseAt);

    QCOMPARE(clicked.count(), clicks);
}

void ClickLabelTest::doubleClickIsOneClick() {
    ClickLabel label;
    label.setText(u"截图"_s);
    label.resize(60, 20);
    QSignalSpy clicked(&label, &ClickLabel::clicked);

    // A double click arrives as press, release, double click, release.
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseDClick(&label, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(clicked.count(), 1);
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(clicked.count(), 2);
}

void ClickLabelTest::keysFollowALink_data() {
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("clicks"); // after Return, then Space pressed and released
    QTest::newRow("link") << true << 2;
    QTest::newRow("plain label") << false << 0;
}

// A link takes the focus from Tab and follows Return and a released Space as a click (the kit's
// key rules, held keys included, are the launcher entry's); a plain label takes no key at all.
void ClickLabelTest::keysFollowALink() {
    QFETCH(bool, link);
    QFETCH(int, clicks);
    ClickLabel label;
    label.setText(u"点击此处刷新"_s);
    label.setLink(link);
    QCOMPARE(bool(label.focusPolicy() & Qt::TabFocus), link);
    QSignalSpy clicked(&label, &ClickLabel::clicked);
    for (const auto& [type, key] :
         {std::pair{QEvent::KeyPress, Qt::Key_Return}, std::pair{QEvent::KeyPress, Qt::Key_Space},
          std::pair{QEvent::KeyRelease, Qt::Key_Space}}) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &event);
    }
    QCOMPARE(clicked.count(), clicks);
}

QTEST_MAIN(ClickLabelTest)
#include "click_label_test.moc"
