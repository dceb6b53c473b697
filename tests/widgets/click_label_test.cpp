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
    void pixelsFile_data();
    void pixelsFile();
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
namespace {

// A .pixels file: "KVPX", width, height, then the words, every number little-endian.
QByteArray pixelsFileOf(quint32 width, quint32 height, const QList<quint32>& words) {
    QByteArray file("KVPX");
    for (const quint32 number : QList<quint32>{width, height} + words) {
        for (int byte = 0; byte < 4; ++byte) {
            file.append(static_cast<char>((number >> (8 * byte)) & 0xff));
        }
    }
    return file;
}

} // namespace

void ClickLabelTest::pixelsFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("size");

    const QByteArray twoByOne = pixelsFileOf(2, 1, {0x80402010, 0xff00ff00});
    QTest::newRow("two pixels") << twoByOne << QSize(2, 1);
    QTest::newRow("one byte short") << twoByOne.chopped(1) << QSize();
    QTest::newRow("one byte over") << twoByOne + '\0' << QSize();
    QTest::newRow("header cut") << twoByOne.left(11) << QSize();
    QTest::newRow("another kind") << QByteArray("KVPY") + twoByOne.mid(4) << QSize();
    QTest::newRow("no width") << pixelsFileOf(0, 1, {}) << QSize();
    // Wider than any picture the program stores; its size would not fit the count of bytes.
    QTest::newRow("too wide") << pixelsFileOf(4097, 1, QList<quint32>(4097, 0)) << QSize();
    QTest::newRow("size overflowing") << pixelsFileOf(0xffffffff, 0xffffffff, {}) << QSize();
}

void ClickLabelTest::pixelsFile() {
    QFETCH(QByteArray, file);
    QFETCH(QSize, size);

    const QImage image = picturePixels(file);
    QCOMPARE(image.size(), size.isValid() ? size : QSize(0, 0));
    if (!image.isNull()) {
        QCOMPARE(image.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(image.pixel(0, 0), 0x80402010U);
        QCOMPARE(image.pixel(1, 0), 0xff00ff00U);
    }
}

#include "click_label_test.moc"
