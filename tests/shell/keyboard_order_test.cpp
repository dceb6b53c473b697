#include "apps/software.h"
#include "apps/warning.h"
#include "display/font_scale_offset.h"
#include "display/navigation.h"
#include "display/phone_area.h"
#include "flash/okc.h"
#include "input/keysimu.h"
#include "input/touchsimu.h"
#include "journal/journal.h"
#include "shell/form1.h"
#include "statusbar/status.h"
#include "support/driving.h"
#include "support/test_app.h"
#include "widgets/window_keys.h"
#include "window_table.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace kavu;
using namespace kavu::test;
using namespace Qt::StringLiterals;

// What a keyboard user meets in each window: the order Tab walks and the names a screen reader
// reads for the text boxes.
class KeyboardOrderTest : public QObject {
    Q_OBJECT

private slots:
    void tabOrder_data();
    void tabOrder();
    void textBoxesNamedApart_data();
    void textBoxesNamedApart();
    void names_data();
    void names();
    void windowKeys_data();
    void windowKeys();
    void returnPressesQtButtons();
};

namespace {

// The program's windows on recording fakes, the main window loaded with its whole launcher, with
// the keys every window has (watching before the main window shows, as in the program) and the
// journal its journal window shows.
struct Program {
    FontScaleOffset offset; // outlives the windows, as in the program
    TestApp t{false};
    WindowKeys keys{[this](const QWidget& window) { return &window == t.app().find<Form1>(); }};
    journal::Journal journal{t.app(), t.folder() + u"/journal"_s};

    Program() {
        t.app().setJournal(&journal);
        registerWindows(t.app(), offset);
        form1(t.app());
    }

    // The window the launcher entry with this label opens.
    QWidget* openEntry(const QString& label) {
        const QWidgetList before = QApplication::topLevelWidgets();
        t.app().openEntry(label);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!before.contains(window) && window->isVisible())
                return window;
        }
        return nullptr;
    }
};

// Opens the window of the given class name on the App.
QWidget* openWindow(Program& program, const QString& name) {
    App& app = program.t.app();
    FontScaleOffset& offset = program.offset;
    if (name == u"Form1")
        return app.find<Form1>();
    if (name == u"Software")
        return app.open<Software>();
    if (name == u"WARNING")
        return app.open<WARNING>();
    if (name == u"Navigation")
        return app.open<Navigation>();
    if (name == u"PhoneArea")
        return app.open<PhoneArea>(offset);
    if (name == u"OKC")
        return app.open<OKC>();
    if (name == u"keysimu")
        return app.open<keysimu>();
    if (name == u"touchsimu")
        return app.open<touchsimu>();
    if (name == u"Status")
        return app.open<Status>();
    return nullptr;
}

const QStringList kWindows{u"Form1"_s,      u"Software"_s,  u"WARNING"_s,
                           u"Navigation"_s, u"PhoneArea"_s, u"OKC"_s,
                           u"keysimu"_s,    u"touchsimu"_s, u"Status"_s};

// The controls Tab reaches, in the order it reaches them, as the window opens.
QStringList tabStops(QWidget& window) {
    QStringList stops;
    for (QWidget* widget = window.nextInFocusChain(); widget != &window;
         widget = widget->nextInFocusChain()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&window))
            stops << widget->objectName();
    }
    return stops;
}

QString accessibleName(QWidget& control) {
    return QAccessible::queryAccessibleInterface(&control)->text(QAccessible::Name);
}

} // namespace

void KeyboardOrderTest::tabOrder_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("stops");

    // The launcher's entries as they are read, frame by frame, then the device row.
    QTest::newRow("Form1") << u"Form1"_s
                           << QStringList{u"Label6mlhEntry"_s,     u"Label23Entry"_s,
                                          u"Label24Entry"_s,       u"Label7Entry"_s,
                                          u"Label8Entry"_s,        u"Label18Entry"_s,
                                          u"Label28Entry"_s,       u"Label27Entry"_s,
                                          u"Label22Entry"_s,       u"Label32Entry"_s,
                                          u"Label31Entry"_s,       u"Label30Entry"_s,
                                          u"Combodev"_s,           u"LabelserverEntry"_s,
                                          u"LabelwirelessEntry"_s, u"LabeljournalEntry"_s};
    // Installing: the links of the instruction, the file, the kind, where it goes, then 执行; the
    // Google packages row by row, as they are read, before the buttons that act on them.
    QTest::newRow("Software") << u"Software"_s
                              << QStringList{u"APPText5"_s,   u"FREEZE"_s,      u"N_Shaunspe1"_s,
                                             u"unsinssys"_s,  u"N_Shapeqqq"_s,  u"UNFREEZE"_s,
                                             u"N_Shape2fc"_s, u"CLCDATA"_s,     u"xsszb"_s,
                                             u"N_Shapeclo"_s, u"Label9"_s,      u"Labelopenfile"_s,
                                             u"Fileapk"_s,    u"insapk"_s,      u"fhz"_s,
                                             u"insfile"_s,    u"Textpat"_s,     u"N_Shapeinsta"_s,
                                             u"gsf"_s,        u"sousuo"_s,      u"map"_s,
                                             u"all"_s,        u"store"_s,       u"bt"_s,
                                             u"xc"_s,         u"gms"_s,         u"dy"_s,
                                             u"dri"_s,        u"duo"_s,         u"yy"_s,
                                             u"yx"_s,         u"blockgoogle"_s, u"enablegoogle"_s};
    QTest::newRow("WARNING") << u"WARNING"_s << QStringList{u"ala"_s, u"N_Shapefx"_s};
    // The edges go round the cross: left, top, the four boxes, bottom, right.
    QTest::newRow("Navigation")
        << u"Navigation"_s
        << QStringList{u"HOR"_s,          u"VER"_s,           u"RESOK"_s,         u"N_ShapeRESET"_s,
                       u"dpio"_s,         u"DPIVAL"_s,        u"dpo"_s,           u"Textdp"_s,
                       u"Textdd"_s,       u"DPIYES"_s,        u"DPINUL"_s,        u"N_Shapeleftl"_s,
                       u"N_Shapeleftr"_s, u"N_Shapetops"_s,   u"N_Shapetopx"_s,   u"Textdown"_s,
                       u"Texttop"_s,      u"Textleft"_s,      u"Textright"_s,     u"N_Shapedowns"_s,
                       u"N_Shapedownx"_s, u"N_Shaperightr"_s, u"N_Shaperightl"_s, u"textstep"_s,
                       u"BORDERST"_s};
    QTest::newRow("PhoneArea") << u"PhoneArea"_s
                               << QStringList{u"N_Shapefd"_s, u"N_Shapefx"_s, u"N_Shapeztmr"_s,
                                              u"WINS"_s,      u"WINSOK"_s,    u"DURAS"_s,
                                              u"DURASOK"_s,   u"PROGS"_s,     u"PROGSOK"_s};
    // The partitions row by row (the custom name box, shown with 自定义, ends the last row).
    QTest::newRow("OKC") << u"OKC"_s << QStringList{u"REC"_s,           u"FB"_s,
                                                    u"EDL"_s,           u"DOWNLOAD"_s,
                                                    u"ACTHY"_s,         u"SHIZUKU"_s,
                                                    u"Label9"_s,        u"Labelopenfile"_s,
                                                    u"File1"_s,         u"recf"_s,
                                                    u"perf"_s,          u"sysf"_s,
                                                    u"zdyf"_s,          u"botf"_s,
                                                    u"N_Shapeshuaru"_s, u"N_Shapetefb1"_s,
                                                    u"N_Shaperebfb"_s,  u"N_ShapeADB"_s};
    QTest::newRow("keysimu") << u"keysimu"_s
                             << QStringList{u"MEUNWARD"_s,     u"HOMEWARD"_s,     u"BACKWARD"_s,
                                            u"LOCKSCR"_s,      u"VOLDOWN"_s,      u"VOLUP"_s,
                                            u"MUTE"_s,         u"N_Shapetop"_s,   u"N_Shapeleft"_s,
                                            u"Enter"_s,        u"N_Shaperight"_s, u"N_Shapedown"_s,
                                            u"N_Shape4"_s,     u"N_Shapeprev"_s,  u"N_Shapepaus"_s,
                                            u"N_Shapenex"_s,   u"Textsend"_s,     u"N_Shapesendd"_s,
                                            u"N_Shape6clear"_s};
    QTest::newRow("touchsimu") << u"touchsimu"_s
                               << QStringList{
                                      u"X1"_s,        u"Y1"_s,  u"DURA"_s,    u"Textdely"_s,
                                      u"Textcishu"_s, u"PYL"_s, u"OPTPRE"_s,  u"OPTSWI"_s,
                                      u"twopo"_s,     u"cha"_s, u"SWIPEGO"_s, u"SWIPEstp"_s,
                                      u"SM"_s,        u"NMM"_s, u"TM"_s,      u"N_Shape1"_s};
    // 确认 of the icons ends the third row of boxes it acts on.
    QTest::newRow("Status") << u"Status"_s
                            << QStringList{u"Text10noncj"_s,
                                           u"STATUSBAR"_s,
                                           u"INIBAR"_s,
                                           u"N_Shape2notice"_s,
                                           u"Text10noncjn"_s,
                                           u"NAVIBAR"_s,
                                           u"N_Shapedefaut"_s,
                                           u"N_Shape2notesofhidenav"_s,
                                           u"CheckButtontime"_s,
                                           u"CheckButtonear"_s,
                                           u"CheckButtonALARM"_s,
                                           u"CheckButtonWLAN"_s,
                                           u"CheckButtonZEN"_s,
                                           u"CheckButtonBT"_s,
                                           u"CheckButtonBAT"_s,
                                           u"CheckButtonAIR"_s,
                                           u"CheckButtoncast"_s,
                                           u"CheckButtonLOC"_s,
                                           u"CheckButtonMOBILE"_s,
                                           u"N_Shapehide"_s,
                                           u"N_Shape1ons"_s,
                                           u"N_Shape2ofs"_s,
                                           u"QSNUMS"_s,
                                           u"QSNUM"_s,
                                           u"Textdq"_s,
                                           u"N_Shapedq"_s,
                                           u"N_Shapedqhf"_s,
                                           u"MIUIC"_s,
                                           u"N_Shape2cpon"_s,
                                           u"N_Shape3cpoff"_s,
                                           u"Option6shownocharge"_s,
                                           u"Option5acchagre"_s,
                                           u"Option4usbcharge"_s,
                                           u"Option3wirelesscharge"_s,
                                           u"Text10battper"_s,
                                           u"N_Shape2battper"_s,
                                           u"N_Shape3_BATTINFO"_s,
                                           u"N_Shape4_reset"_s};
}

void KeyboardOrderTest::tabOrder() {
    QFETCH(QString, window);
    QFETCH(QStringList, stops);

    Program program;
    QWidget* opened = openWindow(program, window);
    QVERIFY(opened != nullptr);

    const QStringList walked = tabStops(*opened);
    QVERIFY2(walked == stops, qPrintable(walked.join(u' ')));
}

void KeyboardOrderTest::textBoxesNamedApart_data() {
    QTest::addColumn<QString>("window");
    for (const QString& window : kWindows)
        QTest::newRow(qPrintable(window)) << window;
}

// A screen reader tells every text box of a window from the others by its name.
void KeyboardOrderTest::textBoxesNamedApart() {
    QFETCH(QString, window);

    Program program;
    QWidget* opened = openWindow(program, window);
    QVERIFY(opened != nullptr);
    QStringList names;
    for (QLineEdit* box : opened->findChildren<QLineEdit*>()) {
        if (!box->isVisibleTo(opened))
            continue;
        const QString name = accessibleName(*box);
        QVERIFY2(!name.isEmpty(), qPrintable(box->objectName()));
        QVERIFY2(!names.contains(name), qPrintable(box->objectName() + u" "_s + name));
        names << name;
    }
}

void KeyboardOrderTest::names_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    QTest::newRow("X1, by its label") << u"touchsimu"_s << u"X1"_s << u"x1"_s;
    QTest::newRow("Y1, by its label") << u"touchsimu"_s << u"Y1"_s << u"y1"_s;
    QTest::newRow("the interval") << u"touchsimu"_s << u"Textdely"_s << u"循环间隔(ms)"_s;
    QTest::newRow("the blank button, by what it shows")
        << u"touchsimu"_s << u"N_Shape1"_s << u"显示循环次数"_s;
    QTest::newRow("the hidden hot spot") << u"Form1"_s << u"Labelcd"_s << u"彩蛋"_s;
    QTest::newRow("an edge box named crosswise") << u"Navigation"_s << u"Texttop"_s << u"左边界"_s;
}

void KeyboardOrderTest::names() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);

    Program program;
    QWidget* opened = openWindow(program, window);
    QVERIFY(opened != nullptr);

    QCOMPARE(accessibleName(*kavu::test::control<QWidget>(*opened, control)), name);
}

void KeyboardOrderTest::windowKeys_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("firstFocus");

    // A window opened from the keyboard must not wait on a button that changes the phone: its
    // first text box or list takes the focus, else the window itself (the main window with no
    // device to choose, the pages of text and links).
    QTest::newRow("main window") << u"Form1"_s << u"Form1"_s;
    QTest::newRow("risk dialog") << u"WARNING"_s << u"ala"_s;
    const QStringList firstFocus{u"APPText5"_s,      u"File1"_s,    u"HOR"_s,  u"Text10noncj"_s,
                                 u"WINS"_s,          u"Textsend"_s, u"X1"_s,   u"Help"_s,
                                 u"SupportWindow"_s, u"About"_s,    u"Host"_s, u"Address"_s,
                                 u"entries"_s};
    QCOMPARE(qsizetype(windowTable().size()), firstFocus.size());
    for (std::size_t row = 0; row < windowTable().size(); ++row) {
        const QString label = windowTable()[row].entry.label.toString();
        QTest::newRow(qPrintable(label)) << label << firstFocus.at(qsizetype(row));
    }
}

// Every window opens with its focus on a control that changes nothing, and Escape closes it (the
// main window stays).
void KeyboardOrderTest::windowKeys() {
    QFETCH(QString, window);
    QFETCH(QString, firstFocus);

    Program program;
    QPointer<QWidget> opened =
        kWindows.contains(window) ? openWindow(program, window) : program.openEntry(window);
    QVERIFY(opened != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(opened));
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused != nullptr);
    QCOMPARE(focused->objectName(), firstFocus);
    QCOMPARE(&kavu::firstFocus(*opened), focused);

    QTest::keyClick(focused, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(!opened.isNull() && opened->isVisible(), window == u"Form1");
}

// Return presses a focused Qt push button, as Space does; Tab reaches the journal's confirmation
// between the buttons it stands between.
void KeyboardOrderTest::returnPressesQtButtons() {
    Program program;
    QWidget* journal = program.openEntry(u"Labeljournal"_s);
    QVERIFY(journal != nullptr);
    control<QWidget>(*journal, u"confirmation"_s)->show();
    QCOMPARE(tabStops(*journal),
             (QStringList{u"entries"_s, u"output"_s, u"undoSelected"_s, u"undoSession"_s,
                          u"confirmUndo"_s, u"cancelUndo"_s, u"exportText"_s}));
    control<QWidget>(*journal, u"confirmation"_s)->hide();
    auto* undoSession = control<QPushButton>(*journal, u"undoSession"_s);
    QVERIFY(QTest::qWaitForWindowActive(journal));
    undoSession->setFocus(Qt::TabFocusReason);
    QTest::keyClick(undoSession, Qt::Key_Return);
    QCOMPARE(control<QLabel>(*journal, u"status"_s)->text(), u"本次启动以来没有可以撤销的更改。"_s);
}

QTEST_MAIN(KeyboardOrderTest)
#include "keyboard_order_test.moc"
