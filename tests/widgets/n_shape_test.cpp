#include "widgets/n_shape.h"

#include "kit_script.h"
#include "widgets/kit_paint.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;
using namespace kavu;

namespace {

// Colours of a new button (the look every window uses).
const QColor White(255, 255, 255);
const QColor LightGrey(224, 224, 224);
const QColor Black(0, 0, 0);
const QColor MidGrey(192, 192, 192);
const QColor DisabledGrey(179, 179, 179);

std::unique_ptr<N_Shape> makeButton() {
    auto button = std::make_unique<N_Shape>();
    button->setCaption(u"安装"_s);
    button->resize(120, 30);
    return button;
}

void sendEnter(N_Shape& button) {
    const QPointF inside(10, 10);
    QEnterEvent enter(inside, inside, button.mapToGlobal(inside));
    QCoreApplication::sendEvent(&button, &enter);
}

void sendLeave(N_Shape& button) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
}

// Shows pictures: red at rest, green under the pointer and, when asked, blue while pressed.
void givePictures(N_Shape& button, bool withDown) {
    const auto filled = [](Qt::GlobalColor colour) {
        QPixmap picture(16, 16);
        picture.fill(colour);
        return picture;
    };
    button.setPicture_Hover(filled(Qt::green));
    if (withDown) {
        button.setPicture_Down(filled(Qt::blue));
    }
    button.setPicture_Normal(filled(Qt::red));
    button.setGraphical(true);
}

} // namespace

class NShapeTest : public QObject {
    Q_OBJECT

private slots:
    void pressAndRelease_data();
    void pressAndRelease();
    void releaseAfterDraggingOff_data();
    void releaseAfterDraggingOff();
    void pressedLookStaysDuringClick_data();
    void pressedLookStaysDuringClick();
    void keysDoNotClick_data();
    void keysDoNotClick();
    void disabledRaisesNothing_data();
    void disabledRaisesNothing();
    void disablingGreysCaption();
    void settingFromCodeRaisesNothing_data();
    void settingFromCodeRaisesNothing();
    void hoverColours_data();
    void hoverColours();
    void stretchToTextLayout_data();
    void stretchToTextLayout();
    void centredCaption_data();
    void centredCaption();
    void focusBorder_data();
    void focusBorder();
    void curPicture_data();
    void curPicture();
    void leftDragStates_data();
    void leftDragStates();
    void overlappingButtons();
    void arrowKeysMoveFocus_data();
    void arrowKeysMoveFocus();
    void events_data();
    void events();
    void modalClickHandlerKeepsPressedLook();
    void newNormalPictureIsLaidOut();
    void ownRepaintShowsNormalPicture_data();
    void ownRepaintShowsNormalPicture();
};

void NShapeTest::pressAndRelease_data() {
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<int>("buttonValue");
    QTest::addColumn<int>("stateWhileHeld");

    QTest::newRow("left") << Qt::LeftButton << 1 << int(N_Shape::Down);
    QTest::newRow("right") << Qt::RightButton << 2 << int(N_Shape::Normal);
    QTest::newRow("middle") << Qt::MiddleButton << 4 << int(N_Shape::Normal);
}

void NShapeTest::pressAndRelease() {
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(int, buttonValue);
    QFETCH(int, stateWhileHeld);

    auto button = makeButton();
    QSignalSpy down(button.get(), &N_Shape::MouseDown);
    QSignalSpy click(button.get(), &N_Shape::Click);

    QTest::mousePress(button.get(), mouseButton, {}, QPoint(20, 15));
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.at(0).at(0).toInt(), buttonValue);
    QCOMPARE(click.count(), 0);
    QCOMPARE(button->visualState(), stateWhileHeld);

    QTest::mouseRelease(button.get(), mouseButton, {}, QPoint(20, 15));
    QCOMPARE(click.count(), 1);
    QCOMPARE(down.count(), 1);
    QCOMPARE(button->visualState(), int(N_Shape::Hover));
}

void NShapeTest::releaseAfterDraggingOff_data() {
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<QPoint>("releaseAt");

    QTest::newRow("left, off the right edge") << Qt::LeftButton << QPoint(300, 15);
    QTest::newRow("left, above") << Qt::LeftButton << QPoint(20, -40);
    QTest::newRow("right, off the left edge") << Qt::RightButton << QPoint(-5, 15);
    QTest::newRow("middle, below") << Qt::MiddleButton << QPoint(20, 90);
}

void NShapeTest::releaseAfterDraggingOff() {
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(QPoint, releaseAt);

    auto button = makeButton();
    QSignalSpy click(button.get(), &N_Shape::Click);

    QTest::mousePress(button.get(), mouseButton, {}, QPoint(20, 15));
    QMouseEvent move(QEvent::MouseMove, releaseAt, button->mapToGlobal(releaseAt), Qt::NoButton,
                     mouseButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button.get(), &move);
    QTest::mouseRelease(button.get(), mouseButton, {}, releaseAt);

    QCOMPARE(click.count(), 1);
    QCOMPARE(button->visualState(), int(N_Shape::Normal));
    QCOMPARE(button->backColorNormal(), White);
    QCOMPARE(button->borderColorNormal(), LightGrey);
}

void NShapeTest::pressedLookStaysDuringClick_data() {
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<QColor>("fillAfter");
    QTest::addColumn<QColor>("borderAfter");
    QTest::addColumn<QColor>("captionAfter");

    QTest::newRow("released inside") << QPoint(20, 15) << LightGrey << Black << Black;
    QTest::newRow("released outside") << QPoint(500, 15) << White << LightGrey << Black;
}

void NShapeTest::pressedLookStaysDuringClick() {
    QFETCH(QPoint, releaseAt);
    QFETCH(QColor, fillAfter);
    QFETCH(QColor, borderAfter);
    QFETCH(QColor, captionAfter);

    auto button = makeButton();
    button->setBackColorDown(QColor(10, 20, 30));
    QColor fillInHandler;
    QColor borderInHandler;
    QColor captionInHandler;
    connect(button.get(), &N_Shape::Click, button.get(), [&] {
        fillInHandler = button->backColorNormal();
        borderInHandler = button->borderColorNormal();
        captionInHandler = button->foreColorNormal();
    });

    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(20, 15));
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, releaseAt);

    QCOMPARE(fillInHandler, QColor(10, 20, 30));
    QCOMPARE(borderInHandler, MidGrey);
    QCOMPARE(captionInHandler, MidGrey);
    QCOMPARE(button->backColorNormal(), fillAfter);
    QCOMPARE(button->borderColorNormal(), borderAfter);
    QCOMPARE(button->foreColorNormal(), captionAfter);
}

void NShapeTest::keysDoNotClick_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("Alt+Return") << int(Qt::Key_Return) << int(Qt::AltModifier);
    QTest::newRow("Alt+Space") << int(Qt::Key_Space) << int(Qt::AltModifier);
    QTest::newRow("letter") << int(Qt::Key_A) << 0;
    QTest::newRow("Down arrow") << int(Qt::Key_Down) << 0;
}

void NShapeTest::keysDoNotClick() {
    QFETCH(int, key);
    QFETCH(int, modifiers);

    auto button = makeButton();
    QSignalSpy click(button.get(), &N_Shape::Click);
    QSignalSpy down(button.get(), &N_Shape::MouseDown);

    QTest::keyClick(button.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(click.count(), 0);
    QCOMPARE(down.count(), 0);
    QCOMPARE(button->visualState(), int(N_Shape::Normal));
}

void NShapeTest::disabledRaisesNothing_data() {
    QTest::addColumn<Qt::MouseButton>("mouseButton");

    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void NShapeTest::disabledRaisesNothing() {
    QFETCH(Qt::MouseButton, mouseButton);

    auto button = makeButton();
    button->setEnabled(false);
    QSignalSpy click(button.get(), &N_Shape::Click);
    QSignalSpy down(button.get(), &N_Shape::MouseDown);
    QSignalSpy up(button.get(), &N_Shape::MouseUp);
    QSignalSpy enter(button.get(), &N_Shape::MouseEnter);

    sendEnter(*button);
    QTest::mouseClick(button.get(), mouseButton, {}, QPoint(20, 15));
    // A double click arrives as press, release, double click, release.
    QTest::mouseDClick(button.get(), mouseButton, {}, QPoint(20, 15));
    QTest::mouseRelease(button.get(), mouseButton, {}, QPoint(20, 15));

    QCOMPARE(click.count(), 0);
    QCOMPARE(down.count(), 0);
    QCOMPARE(up.count(), 0);
    QCOMPARE(enter.count(), 0);
    QCOMPARE(button->visualState(), int(N_Shape::Normal));
}

void NShapeTest::disablingGreysCaption() {
    auto button = makeButton();
    button->setForeColorNormal(QColor(0, 0, 255));

    button->setEnabled(false);
    QCOMPARE(button->foreColorNormal(), DisabledGrey);

    button->setEnabled(true);
    QCOMPARE(button->foreColorNormal(), QColor(0, 0, 255));

    // A press that was under way when the button was disabled does not click afterwards.
    QSignalSpy click(button.get(), &N_Shape::Click);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(20, 15));
    button->setEnabled(false);
    button->setEnabled(true);
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(20, 15));
    QCOMPARE(click.count(), 0);
}

void NShapeTest::settingFromCodeRaisesNothing_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("Caption") << QByteArray("Caption") << QVariant(u"返回"_s);
    QTest::newRow("Enabled") << QByteArray("enabled") << QVariant(false);
    QTest::newRow("BackColorNormal") << QByteArray("BackColorNormal") << QVariant(QColor(1, 2, 3));
    QTest::newRow("StretchToText") << QByteArray("StretchToText") << QVariant(true);
    QTest::newRow("Style") << QByteArray("Style") << QVariant(2);
}

void NShapeTest::settingFromCodeRaisesNothing() {
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);

    auto button = makeButton();
    QSignalSpy click(button.get(), &N_Shape::Click);
    QSignalSpy down(button.get(), &N_Shape::MouseDown);
    QSignalSpy up(button.get(), &N_Shape::MouseUp);

    QVERIFY(button->setProperty(property.constData(), value));
    QCOMPARE(button->property(property.constData()), value);

    QCOMPARE(click.count(), 0);
    QCOMPARE(down.count(), 0);
    QCOMPARE(up.count(), 0);
}

void NShapeTest::hoverColours_data() {
    QTest::addColumn<QColor>("hoverFill");
    QTest::addColumn<QColor>("hoverBorder");
    QTest::addColumn<QColor>("hoverCaption");

    QTest::newRow("standard look") << LightGrey << Black << Black;
    QTest::newRow("pink hover") << QColor(255, 192, 192) << QColor(255, 128, 128) << White;
}

void NShapeTest::hoverColours() {
    QFETCH(QColor, hoverFill);
    QFETCH(QColor, hoverBorder);
    QFETCH(QColor, hoverCaption);

    auto button = makeButton();
    button->setBackColorHover(hoverFill);
    button->setBorderColorHover(hoverBorder);
    button->setForeColorHover(hoverCaption);
    QSignalSpy entered(button.get(), &N_Shape::MouseEnter);
    QSignalSpy left(button.get(), &N_Shape::MouseLeave);

    sendEnter(*button);
    QCOMPARE(entered.count(), 1);
    QCOMPARE(button->visualState(), int(N_Shape::Hover));
    QVERIFY(button->mouseInside());
    // The Normal colours read back what is shown, here the hover colours.
    QCOMPARE(button->backColorNormal(), hoverFill);
    QCOMPARE(button->borderColorNormal(), hoverBorder);
    QCOMPARE(button->foreColorNormal(), hoverCaption);

    sendLeave(*button);
    QCOMPARE(left.count(), 1);
    QCOMPARE(button->visualState(), int(N_Shape::Normal));
    QVERIFY(!button->mouseInside());
    QCOMPARE(button->backColorNormal(), White);
    QCOMPARE(button->borderColorNormal(), LightGrey);
}

void NShapeTest::stretchToTextLayout_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("textVisible");
    QTest::addColumn<bool>("graphical");
    QTest::addColumn<int>("pictureWidth");

    QTest::newRow("caption only") << u"NShape1"_s << true << false << 0;
    QTest::newRow("Chinese caption") << u"传输文件"_s << true << false << 0;
    QTest::newRow("caption and picture") << u"刷入"_s << true << true << 20;
    QTest::newRow("picture only") << u"刷入"_s << false << true << 24;
    QTest::newRow("neither") << u"刷入"_s << false << false << 24;
}

void NShapeTest::stretchToTextLayout() {
    QFETCH(QString, caption);
    QFETCH(bool, textVisible);
    QFETCH(bool, graphical);
    QFETCH(int, pictureWidth);

    N_Shape button;
    button.resize(300, 40);
    QPixmap picture(pictureWidth > 0 ? pictureWidth : 1, 16);
    picture.fill(Qt::red);
    button.setPicture_Normal(picture);
    button.setCaption(caption);
    button.setText_Visible(textVisible);
    button.setGraphical(graphical);
    button.setStretchToText(true);

    const int textWidth = QFontMetrics(kit::captionFont(button.fontSize(), button.fontBold()))
                              .horizontalAdvance(caption);
    int expected = 16;
    if (textVisible && graphical)
        expected = textWidth + 16 + picture.width() + 8;
    else if (textVisible)
        expected = textWidth + 16;
    else if (graphical)
        expected = picture.width() + 16;

    QVERIFY(textWidth > 0);
    QCOMPARE(button.captionRect().width(), textWidth);
    QCOMPARE(button.width(), expected);
    QCOMPARE(button.height(), 40);
    QCOMPARE(button.pictureRect().left(), 8);
    QCOMPARE(button.captionRect().left(), graphical ? 8 + picture.width() + 8 : 8);
    QCOMPARE(button.captionRect().top(), (40 - button.captionRect().height()) / 2);
}

void NShapeTest::centredCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");

    QTest::newRow("wide") << u"重启到 Recovery"_s << QSize(200, 30);
    QTest::newRow("tall") << u"确定"_s << QSize(80, 60);
    QTest::newRow("latin") << u"OK"_s << QSize(61, 25);
}

void NShapeTest::centredCaption() {
    QFETCH(QString, caption);
    QFETCH(QSize, size);

    N_Shape button;
    button.setCaption(caption);
    button.resize(size);

    const QRect text = button.captionRect();
    QVERIFY(text.width() > 0);
    QCOMPARE(text.left(), (size.width() - text.width()) / 2);
    QCOMPARE(text.top(), (size.height() - text.height()) / 2);
    QCOMPARE(button.size(), size);
}

void NShapeTest::focusBorder_data() {
    QTest::addColumn<bool>("borderGotFocus");
    QTest::addColumn<QColor>("borderWhileFocused");

    QTest::newRow("focus border on") << true << QColor(0, 128, 0);
    QTest::newRow("focus border off") << false << LightGrey;
}

void NShapeTest::focusBorder() {
    QFETCH(bool, borderGotFocus);
    QFETCH(QColor, borderWhileFocused);

    auto button = makeButton();
    button->setBorderCustom(QColor(0, 128, 0));
    button->setBorderGotFocus(borderGotFocus);

    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(button.get(), &in);
    QCOMPARE(button->borderColorNormal(), borderWhileFocused);

    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(button.get(), &out);
    QCOMPARE(button->borderColorNormal(), LightGrey);
}

void NShapeTest::curPicture_data() {
    QTest::addColumn<bool>("withPictures");
    QTest::addColumn<int>("atRest");
    QTest::addColumn<int>("whilePressed");
    QTest::addColumn<int>("afterRelease");
    QTest::addColumn<QPoint>("releaseAt");

    QTest::newRow("no pictures") << false << 0 << 0 << 0 << QPoint(20, 15);
    QTest::newRow("three pictures") << true << 3 << 1 << 2 << QPoint(20, 15);
    // The hover picture also after a release off the button; the pointer leaving restores the
    // normal one.
    QTest::newRow("released outside") << true << 3 << 1 << 2 << QPoint(400, 15);
}

void NShapeTest::curPicture() {
    QFETCH(bool, withPictures);
    QFETCH(int, atRest);
    QFETCH(int, whilePressed);
    QFETCH(int, afterRelease);
    QFETCH(QPoint, releaseAt);

    auto button = makeButton();
    if (withPictures) {
        givePictures(*button, true);
    }

    QCOMPARE(button->curPicture(), atRest);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(20, 15));
    QCOMPARE(button->curPicture(), whilePressed);
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, releaseAt);
    QCOMPARE(button->curPicture(), afterRelease);
}

void NShapeTest::leftDragStates_data() {
    QTest::addColumn<QList<QPoint>>("moves");
    QTest::addColumn<QList<int>>("states");

    const int down = N_Shape::Down;
    const int normal = N_Shape::Normal;
    QTest::newRow("stays inside") << QList<QPoint>{{30, 10}, {100, 25}} << QList<int>{down, down};
    QTest::newRow("off and back") << QList<QPoint>{{130, 10}, {60, 10}, {60, -2}}
                                  << QList<int>{normal, down, normal};
    QTest::newRow("off the left edge") << QList<QPoint>{{-1, 10}} << QList<int>{normal};
}

void NShapeTest::leftDragStates() {
    QFETCH(QList<QPoint>, moves);
    QFETCH(QList<int>, states);

    auto button = makeButton();
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(20, 15));
    for (qsizetype i = 0; i < moves.size(); ++i) {
        const QPoint at = moves.at(i);
        QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(button.get(), &move);
        QCOMPARE(button->visualState(), states.at(i));
    }
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, moves.last());
}

void NShapeTest::overlappingButtons() {
    // Left down, right down, right up, left up: two presses, two clicks, and the pressed look
    // lasts while the left button is still held.
    auto button = makeButton();
    QSignalSpy down(button.get(), &N_Shape::MouseDown);
    QSignalSpy click(button.get(), &N_Shape::Click);

    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(20, 15));
    QTest::mousePress(button.get(), Qt::RightButton, {}, QPoint(20, 15));
    QTest::mouseRelease(button.get(), Qt::RightButton, {}, QPoint(20, 15));
    QCOMPARE(click.count(), 1);
    QCOMPARE(button->visualState(), int(N_Shape::Down));
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(20, 15));

    QCOMPARE(down.count(), 2);
    QCOMPARE(down.at(0).at(0).toInt(), 1);
    QCOMPARE(down.at(1).at(0).toInt(), 2);
    QCOMPARE(click.count(), 2);
    QCOMPARE(button->visualState(), int(N_Shape::Hover));
}

void NShapeTest::arrowKeysMoveFocus_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("focusedAfter");

    QTest::newRow("Right") << int(Qt::Key_Right) << 2;
    QTest::newRow("Down") << int(Qt::Key_Down) << 2;
    QTest::newRow("Left") << int(Qt::Key_Left) << 0;
    QTest::newRow("Up") << int(Qt::Key_Up) << 0;
    QTest::newRow("letter stays") << int(Qt::Key_A) << 1;
}

void NShapeTest::arrowKeysMoveFocus() {
    QFETCH(int, key);
    QFETCH(int, focusedAfter);

    QWidget window;
    QList<N_Shape*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* button = new N_Shape(&window);
        button->setGeometry(10 + 100 * i, 10, 90, 30);
        buttons << button;
    }
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    buttons.at(1)->setFocus(Qt::OtherFocusReason);
    QVERIFY(buttons.at(1)->hasFocus());
    QSignalSpy click(buttons.at(1), &N_Shape::Click);

    QTest::keyClick(buttons.at(1), Qt::Key(key));

    QVERIFY(buttons.at(focusedAfter)->hasFocus());
    QCOMPARE(click.count(), 0);
}

void NShapeTest::events_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("right press with Shift")
        << QStringList{u"press right 20 15 shift"_s, u"release right 21 14 shift"_s}
        << QStringList{u"MouseDown 2 1 20 15"_s, u"MouseUp 2 1 21 14"_s, u"Click"_s};
    QTest::newRow("pointer in and out")
        << QStringList{u"move 10 10"_s, u"move 11 10 ctrl"_s, u"leave"_s}
        << QStringList{u"MouseMove 0 0 10 10"_s, u"MouseEnter"_s, u"MouseMove 0 2 11 10"_s,
                       u"MouseOut"_s, u"MouseLeave"_s};
    QTest::newRow("MouseEnter again after a left drag")
        << QStringList{u"move 10 10"_s, u"press left 10 10"_s, u"move 12 10 left"_s,
                       u"release left 12 10"_s, u"move 14 10"_s}
        << QStringList{u"MouseMove 0 0 10 10"_s, u"MouseEnter"_s,        u"MouseDown 1 0 10 10"_s,
                       u"MouseMove 1 0 12 10"_s, u"MouseUp 1 0 12 10"_s, u"Click"_s,
                       u"MouseMove 0 0 14 10"_s, u"MouseEnter"_s};
    // The pointer dragged off with a button held is gone at once (the hover look with it), though
    // the button keeps its events here until the release.
    for (const QString& button : {u"left"_s, u"right"_s, u"middle"_s}) {
        const QString value = button == u"left"_s ? u"1"_s : button == u"right"_s ? u"2"_s : u"4"_s;
        QTest::addRow("%s drag off", qPrintable(button))
            << QStringList{u"move 10 10"_s, u"press %1 10 10"_s.arg(button), u"move 10 60"_s,
                           u"release %1 10 60"_s.arg(button), u"leave"_s}
            << QStringList{u"MouseMove 0 0 10 10"_s,
                           u"MouseEnter"_s,
                           u"MouseDown %1 0 10 10"_s.arg(value),
                           u"MouseMove %1 0 10 60"_s.arg(value),
                           u"MouseOut"_s,
                           u"MouseLeave"_s,
                           u"MouseUp %1 0 10 60"_s.arg(value),
                           u"Click"_s};
    }
    QTest::newRow("double click") << QStringList{u"press left 5 5"_s, u"release left 5 5"_s,
                                                 u"dclick left 5 5"_s, u"release left 5 5"_s}
                                  << QStringList{u"MouseDown 1 0 5 5"_s,
                                                 u"MouseUp 1 0 5 5"_s,
                                                 u"Click"_s,
                                                 u"MouseDown 1 0 5 5"_s,
                                                 u"DblClick"_s,
                                                 u"MouseUp 1 0 5 5"_s,
                                                 u"Click"_s};
    // Shift is a key of its own (16).
    QTest::newRow("keys") << QStringList{u"key a"_s, u"key Right shift"_s, u"key F1"_s}
                          << QStringList{u"KeyDown 65 0"_s, u"KeyPress 97"_s,   u"KeyUp 65 0"_s,
                                         u"KeyDown 16 1"_s, u"KeyDown 39 1"_s,  u"KeyUp 39 1"_s,
                                         u"KeyUp 16 0"_s,   u"KeyDown 112 0"_s, u"KeyUp 112 0"_s};
    QTest::newRow("resize") << QStringList{u"resize 90 40"_s} << QStringList{u"Resize"_s};
}

void NShapeTest::events() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, events);

    auto button = makeButton();
    kitscript::EventLog log(*button);
    kitscript::run(*button, steps);

    QCOMPARE(log.lines, events);
}

void NShapeTest::modalClickHandlerKeepsPressedLook() {
    // A real window with the pointer over the button: the modal box takes the pointer away from
    // it while the handler runs.
    QWidget window;
    window.resize(300, 120);
    auto* button = new N_Shape(&window);
    button->setCaption(u"确定"_s);
    button->setGeometry(20, 20, 120, 30);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(button, QPoint(30, 15));
    QTRY_COMPARE(button->visualState(), int(N_Shape::Hover));

    QSignalSpy left(button, &N_Shape::MouseLeave);
    QList<QColor> lookInHandler;
    bool leftDuringHandler = false;
    connect(button, &N_Shape::Click, button, [&] {
        QMessageBox box(QMessageBox::NoIcon, u"提示"_s, u"已完成"_s, QMessageBox::Ok, &window);
        QTimer::singleShot(200, &box, [&] {
            leftDuringHandler = !left.isEmpty();
            lookInHandler = {button->backColorNormal(), button->borderColorNormal(),
                             button->foreColorNormal()};
            box.done(0);
        });
        box.exec();
    });

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 15));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 15));

    QVERIFY(leftDuringHandler);
    QCOMPARE(lookInHandler, (QList<QColor>{White, MidGrey, MidGrey}));
    QCOMPARE(button->backColorNormal() == White, button->visualState() == N_Shape::Normal);
}

void NShapeTest::newNormalPictureIsLaidOut() {
    N_Shape button;
    button.resize(200, 40);
    button.setCaption(u"刷入"_s);
    button.setGraphical(true);
    button.setStretchToText(true);
    QPixmap small(16, 16);
    small.fill(Qt::red);
    button.setPicture_Normal(small);
    const int widthWithSmall = button.width();

    QPixmap wide(30, 16);
    wide.fill(Qt::blue);
    button.setPicture_Normal(wide);

    QCOMPARE(button.width(), widthWithSmall + 14);
    QCOMPARE(button.captionRect().left(), 8 + 30 + 8);
    QCOMPARE(button.curPicture(), 3);
}

void NShapeTest::ownRepaintShowsNormalPicture_data() {
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("key released") << QStringList{u"keydown a"_s, u"keyup a"_s};
    QTest::newRow("pointer gone") << QStringList{u"leave"_s};
}

void NShapeTest::ownRepaintShowsNormalPicture() {
    QFETCH(QStringList, steps);

    auto button = makeButton();
    givePictures(*button, false);
    kitscript::run(*button, {u"move 10 10"_s});
    QCOMPARE(button->curPicture(), 2);

    kitscript::run(*button, steps);

    QCOMPARE(button->curPicture(), 3);
}

QTEST_MAIN(NShapeTest)
#include "n_shape_test.moc"
