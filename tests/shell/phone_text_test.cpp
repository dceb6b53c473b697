// Every box whose text goes into the phone's shell refuses text the shell would act on, with the
// same message, and runs nothing.
#include "apps/software.h"
#include "apps/warning.h"
#include "core/typed_text.h"
#include "display/navigation.h"
#include "shell/qt_text.h"
#include "statusbar/status.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"

#include <QtTest>

#include <functional>

using namespace kavu;
using namespace Qt::StringLiterals;

namespace {

using Opener = std::function<QWidget*(App&)>;

const QStringList kRefusedTexts{u"com.x;reboot"_s, u"x $(reboot)"_s, u"  com.x  "_s, u"a'b"_s,
                                u"微信"_s};

void expectRefused(test::TestApp& t, const QString& text) {
    QVERIFY2(t.started().isEmpty(), qPrintable(text));
    QCOMPARE(t.commandBox(), test::kEarlierCommand);
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, qtText(kUnsafePhoneTextMessage));
    QCOMPARE(t.messages().first().title, qtText(kUnsafeTextTitle));
    QCOMPARE(t.messages().first().icon, MessageIcon::Critical);
}

} // namespace

class PhoneTextTest : public QObject {
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void riskDialogConfirmationRefused();
};

void PhoneTextTest::refused_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");

    const Opener apps = [](App& app) -> QWidget* { return app.open<Software>(); };
    const Opener status = [](App& app) -> QWidget* { return app.open<Status>(); };
    const Opener display = [](App& app) -> QWidget* { return app.open<Navigation>(); };
    for (const char* button :
         {"FREEZE", "UNFREEZE", "CLCDATA", "N_Shaunspe1", "N_Shape2fc", "N_Shapeclo"}) {
        QTest::addRow("package %s", button) << apps << u"APPText5"_s << QString::fromLatin1(button);
    }
    QTest::newRow("status bar") << status << u"Text10noncj"_s << u"STATUSBAR"_s;
    QTest::newRow("navigation bar") << status << u"Text10noncjn"_s << u"NAVIBAR"_s;
    QTest::newRow("quick-settings count") << status << u"QSNUMS"_s << u"QSNUM"_s;
    QTest::newRow("padding") << status << u"Textdq"_s << u"N_Shapedq"_s;
    // Each edge box goes into the command when another edge's arrow is pressed.
    QTest::newRow("left inset") << display << u"Texttop"_s << u"N_Shapetops"_s;
    QTest::newRow("top inset") << display << u"Textdown"_s << u"N_Shapeleftl"_s;
    QTest::newRow("right inset") << display << u"Textleft"_s << u"N_Shapedowns"_s;
    QTest::newRow("bottom inset") << display << u"Textright"_s << u"N_Shaperightr"_s;
}

void PhoneTextTest::refused() {
    QFETCH(Opener, open);
    QFETCH(QString, box);
    QFETCH(QString, button);
    for (const QString& text : kRefusedTexts) {
        test::TestApp t;
        t.runEarlierCommand();
        QWidget* window = open(t.app());
        t.clearRecords();
        test::control<QLineEdit>(*window, box)->setText(text);
        test::click(*window, button);
        expectRefused(t, text);
    }
}

void PhoneTextTest::riskDialogConfirmationRefused() {
    for (const QString& text : kRefusedTexts) {
        test::TestApp t;
        t.runEarlierCommand();
        test::control<QLineEdit>(*t.app().open<Software>(), u"APPText5"_s)->setText(text);
        WARNING* dialog = t.app().open<WARNING>();
        t.clearRecords();
        // The right button fills in the phrase and confirms.
        test::click(*dialog, u"N_Shapefx"_s, Qt::RightButton);
        expectRefused(t, text);
        QVERIFY(!test::control<QWidget>(*dialog, u"Label4"_s)->isVisibleTo(dialog));
    }
}

QTEST_MAIN(PhoneTextTest)
#include "phone_text_test.moc"
