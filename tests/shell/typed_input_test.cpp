// Every box whose text goes into the phone's shell refuses text the shell would act on, every box
// read as a number refuses a value no command can take, and every box whose text stands as a name
// in its own argument refuses text the command would read as an option or as more than one word:
// with one message each, running nothing.
#include "app/qt_text.h"
#include "apps/software.h"
#include "apps/warning.h"
#include "core/typed_text.h"
#include "display/font_scale_offset.h"
#include "display/navigation.h"
#include "display/phone_area.h"
#include "flash/okc.h"
#include "statusbar/status.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QDir>
#include <QtTest>

#include <functional>

using namespace kavu;
using namespace Qt::StringLiterals;

namespace {

using Opener = std::function<QWidget*(App&)>;
// Types the text into a name box and presses what reads it.
using NameEntry = std::function<void(test::TestApp&, const QString&)>;

// The characters themselves are tabled in the core tests; here each box shows it is checked: a
// second phone command, and blanks.
const QStringList kRefusedTexts{u"com.x;reboot"_s, u"  com.x  "_s};

void expectRefused(test::TestApp& t, const QString& text, const QString& message) {
    QVERIFY2(t.started().isEmpty(), qPrintable(text));
    QCOMPARE(t.commandBox(), test::kEarlierCommand);
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, message);
    QCOMPARE(t.messages().first().title, qtText(kUnsafeTextTitle));
    QCOMPARE(t.messages().first().icon, MessageIcon::Critical);
}

} // namespace

class TypedInputTest : public QObject {
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void riskDialogConfirmationRefused();
    void names_data();
    void names();

private:
    FontScaleOffset m_offset;
};

void TypedInputTest::refused_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("message");

    const Opener apps = [](App& app) -> QWidget* { return app.open<Software>(); };
    const Opener status = [](App& app) -> QWidget* { return app.open<Status>(); };
    const Opener display = [](App& app) -> QWidget* { return app.open<Navigation>(); };
    const Opener scaling = [this](App& app) -> QWidget* { return app.open<PhoneArea>(m_offset); };
    const QString phone = qtText(kUnsafePhoneTextMessage);
    const QString range = qtText(kOutOfRangeMessage);
    const QStringList infinite{u"1e999"_s, u"-1E400"_s};

    // Text that goes into the phone's shell.
    for (const char* button :
         {"FREEZE", "UNFREEZE", "CLCDATA", "N_Shaunspe1", "N_Shape2fc", "N_Shapeclo"}) {
        QTest::addRow("package %s", button)
            << apps << u"APPText5"_s << QString::fromLatin1(button) << kRefusedTexts << phone;
    }
    QTest::newRow("status bar") << status << u"Text10noncj"_s << u"STATUSBAR"_s << kRefusedTexts
                                << phone;
    QTest::newRow("navigation bar")
        << status << u"Text10noncjn"_s << u"NAVIBAR"_s << kRefusedTexts << phone;
    QTest::newRow("quick-settings count")
        << status << u"QSNUMS"_s << u"QSNUM"_s << kRefusedTexts << phone;
    QTest::newRow("padding") << status << u"Textdq"_s << u"N_Shapedq"_s << kRefusedTexts << phone;
    // Each edge box goes into the command when another edge's arrow is pressed.
    QTest::newRow("left inset") << display << u"Texttop"_s << u"N_Shapetops"_s << kRefusedTexts
                                << phone;
    QTest::newRow("top inset") << display << u"Textdown"_s << u"N_Shapeleftl"_s << kRefusedTexts
                               << phone;
    QTest::newRow("right inset") << display << u"Textleft"_s << u"N_Shapedowns"_s << kRefusedTexts
                                 << phone;
    QTest::newRow("bottom inset") << display << u"Textright"_s << u"N_Shaperightr"_s
                                  << kRefusedTexts << phone;

    // Numbers that no command can take.
    QTest::newRow("battery level")
        << status << u"Text10battper"_s << u"N_Shape2battper"_s << infinite << range;
    QTest::newRow("window animation") << scaling << u"WINS"_s << u"WINSOK"_s << infinite << range;
    QTest::newRow("transition animation")
        << scaling << u"DURAS"_s << u"DURASOK"_s << infinite << range;
    QTest::newRow("animator duration")
        << scaling << u"PROGS"_s << u"PROGSOK"_s << infinite << range;
    QTest::newRow("density") << display << u"DPIVAL"_s << u"DPIYES"_s << infinite << range;
    QTest::newRow("width") << display << u"HOR"_s << u"RESOK"_s << infinite << range;
    QTest::newRow("height") << display << u"VER"_s << u"RESOK"_s << infinite << range;
    QTest::newRow("overscan step")
        << display << u"textstep"_s << u"N_Shapetopx"_s << infinite << range;
    QTest::newRow("moved edge") << display << u"Textdown"_s << u"N_Shapetopx"_s << infinite
                                << range;
}

void TypedInputTest::refused() {
    QFETCH(Opener, open);
    QFETCH(QString, box);
    QFETCH(QString, button);
    QFETCH(QStringList, texts);
    QFETCH(QString, message);
    for (const QString& text : texts) {
        test::TestApp t;
        t.runEarlierCommand();
        QWidget* window = open(t.app());
        auto* edit = test::control<QLineEdit>(*window, box);
        edit->setText(text);
        t.clearRecords();
        test::click(*window, button);
        // The resolution's warning comes before its command; the refusal is the last message.
        if (button == u"RESOK"_s && t.messages().size() == 2) {
            t.messages().removeFirst();
        }
        expectRefused(t, text, message);
        QCOMPARE(edit->text(), text);
    }
}

void TypedInputTest::riskDialogConfirmationRefused() {
    for (const QString& text : kRefusedTexts) {
        test::TestApp t;
        t.runEarlierCommand();
        test::control<QLineEdit>(*t.app().open<Software>(), u"APPText5"_s)->setText(text);
        WARNING* dialog = t.app().open<WARNING>();
        t.clearRecords();
        // The right button fills in the phrase and confirms.
        test::click(*dialog, u"N_Shapefx"_s, Qt::RightButton);
        expectRefused(t, text, qtText(kUnsafePhoneTextMessage));
        QVERIFY(!test::control<QWidget>(*dialog, u"Label4"_s)->isVisibleTo(dialog));
    }
}

void TypedInputTest::names_data() {
    QTest::addColumn<NameEntry>("enter");
    QTest::addColumn<QString>("typed");
    // The command it runs (%P: the picked image's path), or the refusal's message.
    QTest::addColumn<QString>("outcome");

    const auto package = [](const QString& button) -> NameEntry {
        return [button](test::TestApp& t, const QString& typed) {
            Software* apps = t.app().open<Software>();
            test::control<QLineEdit>(*apps, u"APPText5"_s)->setText(typed);
            test::click(*apps, button);
        };
    };
    const NameEntry riskDialog = [](test::TestApp& t, const QString& typed) {
        test::control<QLineEdit>(*t.app().open<Software>(), u"APPText5"_s)->setText(typed);
        // The right button fills in the phrase and confirms.
        test::click(*t.app().open<WARNING>(), u"N_Shapefx"_s, Qt::RightButton);
    };
    const NameEntry partition = [](test::TestApp& t, const QString& typed) {
        t.addFile(u"v.img"_s);
        OKC* flashing = t.app().open<OKC>();
        test::click(*flashing, u"zdyf"_s);
        test::control<QLineEdit>(*flashing, u"Textzdy"_s)->setText(typed);
        test::pick(*flashing, u"File1"_s, u"v.img"_s);
        test::click(*flashing, u"N_Shapeshuaru"_s);
    };
    const QString phone = qtText(kUnsafePhoneTextMessage);
    const QString invalidPartition = qtText(kInvalidPartitionNameMessage);

    QTest::newRow("package, option") << package(u"FREEZE"_s) << u"-x"_s << phone;
    // The box is read as typed: blanks are not trimmed away in front of an option.
    QTest::newRow("package, blanks and option") << package(u"N_Shaunspe1"_s) << u"  -x"_s << phone;
    QTest::newRow("community page, option") << package(u"N_Shapeclo"_s) << u"-x"_s << phone;
    QTest::newRow("package") << package(u"N_Shape2fc"_s) << u"com.a-b_c"_s
                             << u"adb shell am force-stop com.a-b_c"_s;
    QTest::newRow("risk dialog, option") << riskDialog << u"--user"_s << phone;
    QTest::newRow("risk dialog") << riskDialog << u"com.x-y"_s
                                 << u"adb shell pm uninstall -k --user 0  com.x-y"_s;
    QTest::newRow("partition, option after it") << partition << u"boot -w"_s << invalidPartition;
    QTest::newRow("partition, option") << partition << u"-w"_s << invalidPartition;
    QTest::newRow("partition") << partition << u"vendor_boot.a-1"_s
                               << u"fastboot flash vendor_boot.a-1 \"%P\""_s;
}

void TypedInputTest::names() {
    QFETCH(NameEntry, enter);
    QFETCH(QString, typed);
    QFETCH(QString, outcome);
    test::TestApp t;
    t.runEarlierCommand();
    t.clearRecords();
    enter(t, typed);
    if (t.started().isEmpty()) {
        expectRefused(t, typed, outcome);
        return;
    }
    const QString image = QDir::toNativeSeparators(QDir(t.fileFolder()).filePath(u"v.img"_s));
    QVERIFY(t.messages().isEmpty());
    QCOMPARE(t.started().size(), 1);
    QCOMPARE(t.commandBox(), QString(outcome).replace(u"%P"_s, image));
}

QTEST_MAIN(TypedInputTest)
#include "typed_input_test.moc"
