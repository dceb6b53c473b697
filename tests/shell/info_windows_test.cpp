#include "shell/about.h"
#include "shell/help.h"
#include "shell/picture.h"
#include "shell/shell_commands.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace kavu;
using namespace Qt::StringLiterals;

namespace {

QStringList visiblePages(Help& help) {
    QStringList shown;
    for (const QString& name : {u"INTRO"_s, u"USBQA"_s, u"COMMONQA"_s}) {
        auto* page = test::control<QFrame>(help, name);
        if (page->isVisibleTo(&help)) {
            shown << name;
            if (page->pos() != QPoint(104, 1)) {
                shown << u"misplaced"_s;
            }
        }
    }
    return shown;
}

} // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void helpPages();
    void links_data();
    void links();
    void registryRepair();
    void repairLinksSitInTheAnswersBlanks_data();
    void repairLinksSitInTheAnswersBlanks();
    void pictures();
    void programIcon();
    void hiddenMessageEveryFifthClick();
    void noGroupToJoin();
    void buttonsOffTheStandardLook_data();
    void buttonsOffTheStandardLook();

private:
    QTemporaryDir m_noPlugins;
};

// The Windows build carries no image plugin: every picture must show without one, so Qt looks
// for plugins in an empty folder before anything reads an image.
void InfoWindowsTest::initTestCase() {
    QVERIFY(m_noPlugins.isValid());
    QCoreApplication::setLibraryPaths({m_noPlugins.path()});
}

void InfoWindowsTest::helpPages() {
    test::TestApp t;
    Help* help = t.app().open<Help>();
    QCOMPARE(visiblePages(*help), QStringList{u"INTRO"_s});
    const std::pair<QString, QString> clicks[] = {{u"INTRO2"_s, u"USBQA"_s},
                                                  {u"INTRO3"_s, u"COMMONQA"_s},
                                                  {u"INTRO3"_s, u"COMMONQA"_s},
                                                  {u"INTRO1"_s, u"INTRO"_s},
                                                  {u"INTRO2"_s, u"USBQA"_s}};
    for (const auto& [label, page] : clicks) {
        test::click(*help, label);
        QCOMPARE(visiblePages(*help), QStringList{page});
    }
    QVERIFY(t.started().isEmpty());
}

void InfoWindowsTest::links_data() {
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address");
    QTest::newRow("driver archive")
        << false << u"DOWNOLD1"_s << u"https://developer.android.com/studio/run/win-usb"_s;
    QTest::newRow("driver installers")
        << false << u"DOWNLOAD2"_s << u"https://developer.android.com/studio/run/oem-usb"_s;
    QTest::newRow("source") << true << u"Label13"_s << u"https://android.googlesource.com/"_s;
    QTest::newRow("reference") << true << u"Label14"_s
                               << u"https://developer.android.com/reference"_s;
    // The library's own site is gone; the web archive keeps its page.
    QTest::newRow("icons") << true << u"Label10"_s
                           << u"https://web.archive.org/web/2020/"
                              u"http://tango.freedesktop.org/Tango_Icon_Library"_s;
    // What this program does not have is said, not opened.
    QTest::newRow("no other edition") << false << u"V3"_s << QString();
    QTest::newRow("no update page") << true << u"N_Shape1"_s << QString();
}

void InfoWindowsTest::links() {
    QFETCH(bool, about);
    QFETCH(QString, control);
    QFETCH(QString, address);
    test::TestApp t;
    QWidget* window = about ? static_cast<QWidget*>(t.app().open<About>())
                            : static_cast<QWidget*>(t.app().open<Help>());
    if (!about) {
        test::click(*window, u"INTRO2"_s);
        test::click(*window, u"INTRO1"_s);
        if (control != u"V3"_s) {
            test::click(*window, u"INTRO2"_s);
        }
    }
    test::click(*window, control);
    QVERIFY(t.started().isEmpty());
    if (address.isEmpty()) {
        QVERIFY(t.fakes().browser.opened.isEmpty());
        QCOMPARE(t.messages().size(), 1);
        QVERIFY(t.messages().first().text.startsWith(u"Kavu 没有"_s));
    } else {
        QCOMPARE(t.fakes().browser.opened, QStringList{address});
        QVERIFY(t.messages().isEmpty());
        // An address label shows the whole address it opens (that it fits, the language test
        // measures with every other caption).
        if (auto* label = window->findChild<QLabel*>(control)) {
            QCOMPARE(label->text(), address);
        }
    }
}

void InfoWindowsTest::registryRepair() {
    test::TestApp t;
    t.runEarlierCommand();
    t.clearRecords();
    Help* help = t.app().open<Help>();
    const QString stored = test::control<QLineEdit>(*help, u"Textz"_s)->text();
    QCOMPARE(stored.size(), 113);
    QVERIFY(stored.startsWith(u"\r\nreg add "_s));
    test::click(*help, u"INTRO3"_s);
    test::click(*help, u"Label7"_s);
    QCOMPARE(t.started().size(), 1);
    QCOMPARE(t.lastStarted().line, shell::registryRepairLine(stored));
    QCOMPARE(t.lastStarted().mode, launch::WindowMode::Normal);
    QCOMPARE(t.commandBox(), test::kEarlierCommand);
}

void InfoWindowsTest::repairLinksSitInTheAnswersBlanks_data() {
    QTest::addColumn<QString>("face");
    for (const QString& face : test::kBlankWidthFaces) {
        QTest::newRow(qPrintable(face)) << face;
    }
}

void InfoWindowsTest::repairLinksSitInTheAnswersBlanks() {
    QFETCH(QString, face);
    const test::AppFont font(face);
    test::TestApp t;
    Help* help = t.app().open<Help>();
    auto* answer = test::control<QLabel>(*help, u"Labeldraganswer"_s);
    auto* admin = test::control<QLabel>(*help, u"Labeladmin"_s);
    auto* repair = test::control<QLabel>(*help, u"Label7"_s);
    QCOMPARE(answer->text(), u"A：一般为注册表问题。先将本工具箱退出，"_s + QString(38, u' ') +
                                 u"再"_s + QString(25, u' ') + u"即可。"_s);
    const QFontMetrics metrics(answer->font());
    const int againLeft = answer->x() + metrics.horizontalAdvance(answer->text().left(58));
    const int againRight = againLeft + metrics.horizontalAdvance(u"再"_s);
    const int firstRunLeft = answer->x() + metrics.horizontalAdvance(answer->text().left(20));
    QVERIFY(admin->x() >= firstRunLeft);
    QVERIFY(admin->geometry().right() < againLeft);
    QVERIFY(repair->x() >= againRight);
    QVERIFY(repair->geometry().right() <
            answer->x() + metrics.horizontalAdvance(answer->text().left(84)));
    QCOMPARE(admin->y(), answer->y());
    // Both stay on the page, where they can be clicked.
    QVERIFY(answer->parentWidget()->rect().contains(repair->geometry()));
}

void InfoWindowsTest::pictures() {
    test::TestApp t;
    Help* help = t.app().open<Help>();
    for (const QString& name : {u"Imageauth"_s, u"Imageontop"_s}) {
        auto* label = test::control<QLabel>(*help, name);
        const QPixmap picture = label->pixmap();
        QVERIFY2(!picture.isNull(), qPrintable(name));
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(label->size()));
        // Drawn, not blank: the picture has more than one colour.
        const QImage image = picture.toImage();
        QVERIFY(image.pixel(image.width() / 2, image.height() / 2) != image.pixel(0, 0) ||
                image.pixel(image.width() / 3, image.height() / 4) != image.pixel(0, 0));
    }
}

void InfoWindowsTest::programIcon() {
    QVERIFY(!kavu::programIcon().isNull());
}

void InfoWindowsTest::hiddenMessageEveryFifthClick() {
    test::TestApp t;
    About* about = t.app().open<About>();
    for (int click = 1; click <= 10; ++click) {
        test::click(*about, u"Label2"_s);
        QCOMPARE(t.messages().size(), click / 5);
    }
    QCOMPARE(t.messages().first().text, u"         You've got it!"_s);
    QCOMPARE(t.messages().first().title, u"    "_s);
    QCOMPARE(t.messages().first().icon, MessageIcon::None);
    test::click(*about, u"Label2"_s);
    test::closeWindow(about);
    t.clearRecords();
    about = t.app().open<About>();
    for (int click = 0; click < 4; ++click) {
        test::click(*about, u"Label2"_s);
    }
    QVERIFY(t.messages().isEmpty());
}

// Kavu has no chat group: the label says so, like the numbered group labels, and a click on it
// does nothing.
void InfoWindowsTest::noGroupToJoin() {
    test::TestApp t;
    About* about = t.app().open<About>();
    t.clearRecords();
    QCOMPARE(test::shownText(*about, u"Label5"_s), u"软件群：暂无"_s);
    test::click(*about, u"Label5"_s);
    QVERIFY(t.started().isEmpty());
    QVERIFY(t.messages().isEmpty());
    QVERIFY(t.fakes().browser.opened.isEmpty());
}

QTEST_MAIN(InfoWindowsTest)

void InfoWindowsTest::buttonsOffTheStandardLook_data() {
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QColor>("color");

    QTest::newRow("update hover fill")
        << true << u"N_Shape1"_s << QByteArray("BackColorHover") << QColor(255, 192, 192);
    QTest::newRow("update pressed frame")
        << true << u"N_Shape1"_s << QByteArray("BorderColorDown") << QColor(255, 128, 128);
    QTest::newRow("update pressed caption")
        << true << u"N_Shape1"_s << QByteArray("ForeColorDown") << QColor(255, 255, 255);
    QTest::newRow("driver frame") << false << u"DOWNLOAD2"_s << QByteArray("BorderColorNormal")
                                  << QColor(192, 192, 192);
}

void InfoWindowsTest::buttonsOffTheStandardLook() {
    QFETCH(bool, about);
    QFETCH(QString, control);
    QFETCH(QByteArray, property);
    QFETCH(QColor, color);
    test::TestApp t;
    QWidget* window = about ? static_cast<QWidget*>(t.app().open<About>())
                            : static_cast<QWidget*>(t.app().open<Help>());
    QCOMPARE(test::control<kavu::N_Shape>(*window, control)
                 ->property(property.constData())
                 .value<QColor>(),
             color);
}

#include "info_windows_test.moc"
