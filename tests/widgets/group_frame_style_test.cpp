// Kavu's style draws a group box's frame from the same picture, at the same place, as Fusion.
#include "widgets/group_frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QStyleFactory>
#include <QTest>

using namespace kavu;

class GroupFrameStyleTest : public QObject {
    Q_OBJECT

private slots:
    void drawsAsFusion_data();
    void drawsAsFusion();
};

void GroupFrameStyleTest::drawsAsFusion_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::newRow("titled") << QStringLiteral("常用功能") << false;
    QTest::newRow("untitled") << QString() << false;
    QTest::newRow("untitled, can be ticked") << QString() << true;
}

void GroupFrameStyleTest::drawsAsFusion() {
    QFETCH(QString, title);
    QFETCH(bool, checkable);

    const auto drawn = [&](QStyle* style) {
        QGroupBox box(title);
        box.setCheckable(checkable);
        box.setStyle(style);
        box.resize(160, 90);
        return box.grab().toImage();
    };
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    GroupFrameStyle ours;
    const QImage expected = drawn(fusion.get());
    QCOMPARE(drawn(&ours), expected);
    // Something is drawn beyond the ground: the frame, and the title where there is one.
    QImage ground(expected.size(), expected.format());
    ground.fill(QGroupBox().palette().window().color());
    QVERIFY(expected != ground);
}

QTEST_MAIN(GroupFrameStyleTest)
#include "group_frame_style_test.moc"
