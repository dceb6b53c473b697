#include "display/navigation.h"

#include "app/app.h"
#include "app/qt_text.h"
#include "core/typed_text.h"
#include "display/display_commands.h"
#include "support/driving.h"
#include "support/literals.h"
#include "support/test_app.h"
#include "support/window_checks.h"
#include "widgets/option_button.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace kavu;
using namespace kavu::test;

Q_DECLARE_METATYPE(kavu::MessageIcon)
Q_DECLARE_METATYPE(const kavu::FixedCommand*)

// Every command of this window is a hidden run of the command box's text, nothing appended:
// the checks below use TestApp::ranOnly and TestApp::startedOnly with their hidden default.

namespace {

const QString kWarningTitle = QStringLiteral("警告!");
const QString kDensityDone =
    QStringLiteral("操作完成！部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！");
const QString kResolutionWarning =
    QStringLiteral("部分魔改ROM可能没有效果！\r\n如遇界面异常请点击恢复按钮！");
const QStringList kEdges = {QStringLiteral("Texttop"), QStringLiteral("Textdown"),
                            QStringLiteral("Textleft"), QStringLiteral("Textright")};

QStringList edgeTexts(QWidget& window) {
    QStringList texts;
    for (const QString& edge : kEdges) {
        texts << boxText(window, edge);
    }
    return texts;
}

// The four edge boxes' texts from one comma-separated line, empty parts kept.
QStringList edges(const QString& texts) {
    return texts.split(QLatin1Char(','));
}

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void arrowButtonsCaptionSize();
    // Every test starts from a freshly opened window on fresh fakes.
    void init();
    void cleanup();

    // The window as loaded.
    void captions_data();
    void captions();
    void opensCentredOnce();
    void framesInPlace();
    void labelsShowTheirWholeText();
    void reopenedAfterCloseStartsAfresh();

    // The arrows as a picture of the screen's edges.
    void arrowPicture_data();
    void arrowPicture();

    // Frame "边界范围": overscan.
    void arrowFromDefaults_data();
    void arrowFromDefaults();
    void arrowWithTypedValues_data();
    void arrowWithTypedValues();
    void arrowRefusals_data();
    void arrowRefusals();
    void edgeReset();

    // Frame "显示缩放": density.
    void densityWays_data();
    void densityWays();
    void density_data();
    void density();
    void densityWarningFollowsCommand();

    // Frame "分辨率": resolution.
    void resolution_data();
    void resolution();
    void resolutionWarningPrecedesCommand();

    // The density's and the resolution's reset buttons.
    void resets_data();
    void resets();

private:
    std::unique_ptr<TestApp> m_t;
    Navigation* m_window = nullptr;
};

void NavigationTest::cleanup() {
    m_window = nullptr;
    m_t.reset();
}

void NavigationTest::init() {
    m_t = std::make_unique<TestApp>();
    m_window = m_t->app().open<Navigation>();
    QVERIFY(m_window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_t->clearRecords();
}

// ---- the window as loaded ----------------------------------------------------------------

void NavigationTest::captions_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");

    const auto row = [](const char* control, const char* caption) {
        QTest::newRow(control) << QString::fromUtf8(control) << QString::fromUtf8(caption);
    };
    row("JMTZ5", "边界范围");
    row("Textre", "显示缩放");
    row("JMTZ6", "分辨率");
    row("Texttop", "0");
    row("Textdown", "0");
    row("Textleft", "0");
    row("Textright", "0");
    row("Label1", "Steps：");
    row("textstep", "10");
    row("BORDERST", "恢复默认(0,0,0,0)");
    row("Label9", "调整屏幕四周的边界范围，大于0会向内侧收缩，小于0则相反");
    row("N_Shapeleftl", "←");
    row("N_Shapeleftr", "→");
    row("N_Shapetops", "↑");
    row("N_Shapetopx", "↓");
    row("N_Shapedowns", "↑");
    row("N_Shapedownx", "↓");
    row("N_Shaperightr", "←");
    row("N_Shaperightl", "→");
    row("dpio", "DPI(显示大小)：");
    row("DPIVAL", "");
    row("dpo", "dp(最小宽度)：");
    row("Textdp", "");
    row("Labelfbs", "横向分辨率(dp必填)：");
    row("Textdd", "");
    row("DPIYES", "确认");
    row("DPINUL", "恢复");
    row("HOR", "");
    row("Label11", "x");
    row("VER", "");
    row("RESOK", "确认");
    row("N_ShapeRESET", "恢复");
    row("LabelINTER2", "分辨率格式：横向 x 纵向");
}

void NavigationTest::captions() {
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QCOMPARE(shownText(*m_window, control), caption);
}

void NavigationTest::opensCentredOnce() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("显示操作(Windows Manager)"));
    QCOMPARE(m_window->size(), QSize(624, 246));
    QVERIFY(test::isCentredOnScreen(*m_window));
    // Opening it again shows the same window, unchanged.
    typeInto(*m_window, QStringLiteral("HOR"), QStringLiteral("1080"));
    QCOMPARE(m_t->app().open<Navigation>(), m_window);
    QCOMPARE(boxText(*m_window, QStringLiteral("HOR")), QStringLiteral("1080"));
    QVERIFY(m_t->started().isEmpty());
}

// The resolution frame at the top left, the display-scaling frame below it, the edge-range frame
// in the right half; all three inside the window.
void NavigationTest::framesInPlace() {
    const QRect resolution = placeOf(*m_window, QStringLiteral("JMTZ6"));
    const QRect scaling = placeOf(*m_window, QStringLiteral("Textre"));
    const QRect edges = placeOf(*m_window, QStringLiteral("JMTZ5"));
    const QRect client = m_window->rect();
    for (const QRect& frame : {resolution, scaling, edges}) {
        QVERIFY(!frame.isEmpty());
        QVERIFY(client.contains(frame));
    }
    QVERIFY(resolution.bottom() < scaling.top());
    QCOMPARE(scaling.left(), resolution.left());
    QVERIFY(resolution.right() < client.width() / 2);
    QVERIFY(edges.left() >= client.width() / 2);
    QVERIFY(!edges.intersects(resolution) && !edges.intersects(scaling));
}

// No label cuts its text off.
void NavigationTest::labelsShowTheirWholeText() {
    const QList<QLabel*> labels = m_window->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 5);
    for (const QLabel* label : labels) {
        const QSize needed = label->wordWrap()
                                 ? QSize(label->width(), label->heightForWidth(label->width()))
                                 : label->sizeHint();
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(label->objectName()));
    }
}

// Closing destroys the window; opening it again loads it from its design state.
void NavigationTest::reopenedAfterCloseStartsAfresh() {
    typeInto(*m_window, QStringLiteral("textstep"), QStringLiteral("3"));
    click(*m_window, QStringLiteral("N_Shapeleftr"));
    typeInto(*m_window, QStringLiteral("HOR"), QStringLiteral("1080"));
    typeInto(*m_window, QStringLiteral("VER"), QStringLiteral("2340"));
    typeInto(*m_window, QStringLiteral("DPIVAL"), QStringLiteral("440"));
    click(*m_window, QStringLiteral("dpo"));
    typeInto(*m_window, QStringLiteral("Textdp"), QStringLiteral("411"));
    typeInto(*m_window, QStringLiteral("Textdd"), QStringLiteral("1080"));
    QCOMPARE(boxText(*m_window, QStringLiteral("Texttop")), QStringLiteral("3"));

    closeWindow(m_window);
    QVERIFY(m_t->app().find<Navigation>() == nullptr);
    m_window = m_t->app().open<Navigation>();
    QVERIFY(m_window != nullptr);

    QCOMPARE(edgeTexts(*m_window), QStringList(kEdges.size(), QStringLiteral("0")));
    QCOMPARE(boxText(*m_window, QStringLiteral("textstep")), QStringLiteral("10"));
    for (const char* box : {"HOR", "VER", "DPIVAL", "Textdp", "Textdd"}) {
        QCOMPARE(boxText(*m_window, QString::fromUtf8(box)), QString());
    }
    QVERIFY(isSelected(*m_window, QStringLiteral("dpio")));
    QVERIFY(!isSelected(*m_window, QStringLiteral("dpo")));
    QVERIFY(control<QLineEdit>(*m_window, QStringLiteral("DPIVAL"))->isEnabled());
    QVERIFY(!control<QLineEdit>(*m_window, QStringLiteral("Textdp"))->isEnabled());
    QVERIFY(!control<QLineEdit>(*m_window, QStringLiteral("Textdd"))->isEnabled());
}

// ---- the arrows as a picture of the screen's edges ---------------------------------------

void NavigationTest::arrowPicture_data() {
    QTest::addColumn<QString>("outer");
    QTest::addColumn<QString>("inner");
    QTest::addColumn<QString>("edge");
    QTest::addColumn<int>("side"); // 0 left, 1 top, 2 right, 3 bottom

    // The boxes sit at the edge they hold, whatever their names say.
    QTest::newRow("left") << QStringLiteral("N_Shapeleftl") << QStringLiteral("N_Shapeleftr")
                          << QStringLiteral("Texttop") << 0;
    QTest::newRow("top") << QStringLiteral("N_Shapetops") << QStringLiteral("N_Shapetopx")
                         << QStringLiteral("Textdown") << 1;
    QTest::newRow("right") << QStringLiteral("N_Shaperightl") << QStringLiteral("N_Shaperightr")
                           << QStringLiteral("Textleft") << 2;
    QTest::newRow("bottom") << QStringLiteral("N_Shapedownx") << QStringLiteral("N_Shapedowns")
                            << QStringLiteral("Textright") << 3;
}

// Going from the outside in: the outer bar, the inner bar, the edge box, the picture's centre.
void NavigationTest::arrowPicture() {
    QFETCH(QString, outer);
    QFETCH(QString, inner);
    QFETCH(QString, edge);
    QFETCH(int, side);

    QRect picture;
    for (const char* arrow : {"N_Shapeleftl", "N_Shapeleftr", "N_Shapetops", "N_Shapetopx",
                              "N_Shapedowns", "N_Shapedownx", "N_Shaperightr", "N_Shaperightl"}) {
        const QRect place = placeOf(*m_window, QString::fromUtf8(arrow));
        QVERIFY2(!place.isEmpty(), arrow);
        picture |= place;
    }
    QVERIFY(placeOf(*m_window, QStringLiteral("JMTZ5")).contains(picture));
    const QPoint centre = picture.center();

    // Distance inwards from the picture's own edge on this side.
    const auto depth = [&](const QRect& place) {
        const QPoint at = place.center();
        switch (side) {
        case 0:
            return at.x() - picture.left();
        case 1:
            return at.y() - picture.top();
        case 2:
            return picture.right() - at.x();
        default:
            return picture.bottom() - at.y();
        }
    };
    const QRect outerPlace = placeOf(*m_window, outer);
    const QRect innerPlace = placeOf(*m_window, inner);
    const QRect edgePlace = placeOf(*m_window, edge);
    QVERIFY(!edgePlace.isEmpty());
    QVERIFY(depth(outerPlace) < depth(innerPlace));
    QVERIFY(depth(innerPlace) < depth(edgePlace));
    QVERIFY(!outerPlace.intersects(innerPlace));
    QVERIFY(!innerPlace.intersects(edgePlace));
    const int toCentre = side == 0 || side == 2 ? qAbs(centre.x() - picture.left())
                                                : qAbs(centre.y() - picture.top());
    QVERIFY(depth(edgePlace) < toCentre);
}

// ---- frame "边界范围" --------------------------------------------------------------------

void NavigationTest::arrowFromDefaults_data() {
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("edge");
    QTest::addColumn<QString>("inset");
    QTest::addColumn<QString>("command");

    const auto row = [](const char* arrow, const char* edge, const char* inset,
                        const char* insets) {
        QTest::newRow(arrow) << QString::fromUtf8(arrow) << QString::fromUtf8(edge)
                             << QString::fromUtf8(inset)
                             << QStringLiteral("adb shell wm overscan ") +
                                    QString::fromUtf8(insets);
    };
    // The box names are crossed: Texttop is the left inset, Textdown the top, Textleft the
    // right, Textright the bottom.
    row("N_Shapeleftl", "Texttop", "-10", "-10,0,0,0");
    row("N_Shapeleftr", "Texttop", "10", "10,0,0,0");
    row("N_Shapetops", "Textdown", "-10", "0,-10,0,0");
    row("N_Shapetopx", "Textdown", "10", "0,10,0,0");
    row("N_Shapedowns", "Textright", "10", "0,0,0,10");
    row("N_Shapedownx", "Textright", "-10", "0,0,0,-10");
    row("N_Shaperightr", "Textleft", "10", "0,0,10,0");
    row("N_Shaperightl", "Textleft", "-10", "0,0,-10,0");
}

void NavigationTest::arrowFromDefaults() {
    QFETCH(QString, arrow);
    QFETCH(QString, edge);
    QFETCH(QString, inset);
    QFETCH(QString, command);

    click(*m_window, arrow);

    QCOMPARE(boxText(*m_window, edge), inset);
    for (const QString& other : kEdges) {
        if (other != edge) {
            QCOMPARE(boxText(*m_window, other), QStringLiteral("0"));
        }
    }
    QVERIFY2(m_t->ranOnly(command), m_t->mismatch());
}

void NavigationTest::arrowWithTypedValues_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("edgesBefore");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QStringList>("edgesAfter");
    QTest::addColumn<QStringList>("insetsSent");

    // The edge boxes before and after, each as one comma-separated line.
    const auto row = [](const char* name, const QString& step, const QString& before,
                        const char* arrow, int clicks, const QString& after,
                        const QStringList& sent) {
        QTest::newRow(name) << step << edges(before) << QString::fromUtf8(arrow) << clicks
                            << edges(after) << sent;
    };
    const QString zeros = u"0,0,0,0"_s;
    const QString abc = u"0,0,abc,0"_s;
    const QString typed = u"3,4,5,6"_s;
    row("step 2.5, inner top twice", u"2.5"_s, zeros, "N_Shapetopx", 2, u"0,5,0,0"_s,
        {u"0,2.5,0,0"_s, u"0,5,0,0"_s});
    row("abc in another edge is sent unchanged", u"10"_s, abc, "N_Shapetops", 1, u"0,-10,abc,0"_s,
        {u"0,-10,abc,0"_s});
    row("abc in the moved edge becomes the step", u"10"_s, abc, "N_Shaperightr", 1, u"0,0,10,0"_s,
        {u"0,0,10,0"_s});
    row("abc in the moved edge becomes minus the step", u"10"_s, abc, "N_Shaperightl", 1,
        u"0,0,-10,0"_s, {u"0,0,-10,0"_s});
    row("empty step resends the current values", QString(), typed, "N_Shapeleftr", 2, typed,
        {typed, typed});
    row("empty step, outer arrow", QString(), typed, "N_Shapedownx", 1, typed, {typed});
    row("negative step reverses the arrow", u"-5"_s, zeros, "N_Shapeleftr", 1, u"-5,0,0,0"_s,
        {u"-5,0,0,0"_s});
    row("step 0.1 three times shows 0.3", u"0.1"_s, zeros, "N_Shapedowns", 3, u"0,0,0,0.3"_s,
        {u"0,0,0,0.1"_s, u"0,0,0,0.2"_s, u"0,0,0,0.3"_s});
    row("moved edge read by its leading number", u" 1 0px"_s, u" 7px,0,0,0"_s, "N_Shapeleftr", 1,
        u"17,0,0,0"_s, {u"17,0,0,0"_s});
    row("typed text of the other edges kept", u"10"_s, u"0,+2,,1.50"_s, "N_Shapeleftl", 1,
        u"-10,+2,,1.50"_s, {u"-10,+2,,1.50"_s});
}

void NavigationTest::arrowWithTypedValues() {
    QFETCH(QString, step);
    QFETCH(QStringList, edgesBefore);
    QFETCH(QString, arrow);
    QFETCH(int, clicks);
    QFETCH(QStringList, edgesAfter);
    QFETCH(QStringList, insetsSent);

    typeInto(*m_window, QStringLiteral("textstep"), step);
    for (qsizetype i = 0; i < kEdges.size(); ++i) {
        typeInto(*m_window, kEdges.at(i), edgesBefore.at(i));
    }
    for (int i = 0; i < clicks; ++i) {
        click(*m_window, arrow);
    }

    QCOMPARE(edgeTexts(*m_window), edgesAfter);
    QStringList commands;
    for (const QString& insets : insetsSent) {
        commands << QStringLiteral("adb shell wm overscan ") + insets;
    }
    QVERIFY2(m_t->ranOnly(commands), m_t->mismatch());
    QCOMPARE(boxText(*m_window, QStringLiteral("textstep")), step);
}

void NavigationTest::arrowRefusals_data() {
    QTest::addColumn<QString>("edge");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("arrow");
    QTest::addColumn<QString>("message");

    const QString unsafe = qtText(kUnsafeTextMessage);
    const QString outOfRange = qtText(kOutOfRangeMessage);
    QTest::newRow("second command in the right inset")
        << u"Textleft"_s << u"0&calc"_s << u"N_Shapetopx"_s << unsafe;
    QTest::newRow("pipe in the left inset")
        << u"Texttop"_s << u"1|more"_s << u"N_Shapedowns"_s << unsafe;
    QTest::newRow("redirection in the bottom inset")
        << u"Textright"_s << u"0>x"_s << u"N_Shaperightl"_s << unsafe;
    // The window manager takes insets up to 10000 pixels either way.
    QTest::newRow("moved edge past 10000")
        << u"Textright"_s << u"9995"_s << u"N_Shapedowns"_s << outOfRange;
    QTest::newRow("another edge far beyond")
        << u"Textdown"_s << u"-1e300"_s << u"N_Shapeleftl"_s << outOfRange;
}

void NavigationTest::arrowRefusals() {
    QFETCH(QString, edge);
    QFETCH(QString, typed);
    QFETCH(QString, arrow);
    QFETCH(QString, message);

    typeInto(*m_window, edge, typed);
    const QStringList before = edgeTexts(*m_window);
    click(*m_window, arrow);

    QCOMPARE(edgeTexts(*m_window), before);
    QVERIFY(m_t->started().isEmpty());
    QCOMPARE(m_t->messages().size(), 1);
    QCOMPARE(m_t->messages().first().text, message);
    QCOMPARE(m_t->messages().first().title, qtText(kUnsafeTextTitle));
    QCOMPARE(m_t->messages().first().icon, MessageIcon::Critical);
}

void NavigationTest::edgeReset() {
    typeInto(*m_window, QStringLiteral("Texttop"), QStringLiteral("abc"));
    typeInto(*m_window, QStringLiteral("Textdown"), QStringLiteral("5"));
    typeInto(*m_window, QStringLiteral("Textleft"), QStringLiteral("-3"));
    typeInto(*m_window, QStringLiteral("Textright"), QStringLiteral(" "));
    typeInto(*m_window, QStringLiteral("textstep"), QStringLiteral("7"));

    click(*m_window, QStringLiteral("BORDERST"));

    QCOMPARE(edgeTexts(*m_window), QStringList(kEdges.size(), QStringLiteral("0")));
    QCOMPARE(boxText(*m_window, QStringLiteral("textstep")), QStringLiteral("7"));
    QVERIFY2(m_t->ranOnly(display::kOverscanReset), m_t->mismatch());
}

// ---- frame "显示缩放" --------------------------------------------------------------------

void NavigationTest::densityWays_data() {
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<bool>("bySpace");

    QTest::newRow("by mouse") << QStringList{u"dpo"_s, u"dpio"_s} << false;
    // Space raises the option's Click once on press (its value not yet changed) and once more
    // when it selects the option on release; the ways end as a click leaves them.
    QTest::newRow("by Space") << QStringList{u"dpo"_s, u"dpo"_s, u"dpio"_s, u"dpio"_s} << true;
}

// The two ways to set the density: the dpi way enables only the dpi box, the dp way only the dp
// and width boxes; the window opens on the dpi way.
void NavigationTest::densityWays() {
    QFETCH(QStringList, presses);
    QFETCH(bool, bySpace);

    auto* dpio = control<kavu::OptionButton>(*m_window, QStringLiteral("dpio"));
    auto* dpo = control<kavu::OptionButton>(*m_window, QStringLiteral("dpo"));
    auto* dpival = control<QLineEdit>(*m_window, QStringLiteral("DPIVAL"));
    auto* dp = control<QLineEdit>(*m_window, QStringLiteral("Textdp"));
    auto* width = control<QLineEdit>(*m_window, QStringLiteral("Textdd"));
    QVERIFY(dpio && dpo && dpival && dp && width);

    bool dpWay = false;
    for (qsizetype press = -1; press < presses.size(); ++press) {
        if (press >= 0) {
            const QString& option = presses.at(press);
            if (bySpace) {
                QTest::keyClick(control<kavu::OptionButton>(*m_window, option), Qt::Key_Space);
            } else {
                click(*m_window, option);
            }
            dpWay = option == u"dpo"_s;
        }
        QCOMPARE(dpo->value(), dpWay);
        QCOMPARE(dpio->value(), !dpWay);
        QCOMPARE(dpival->isEnabled(), !dpWay);
        QCOMPARE(dp->isEnabled(), dpWay);
        QCOMPARE(width->isEnabled(), dpWay);
    }
    QVERIFY(m_t->started().isEmpty());
    QVERIFY(m_t->messages().isEmpty());
}

void NavigationTest::density_data() {
    QTest::addColumn<bool>("dpWay");
    QTest::addColumn<QString>("dpival");
    QTest::addColumn<QString>("dp");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("dpivalAfter");
    QTest::addColumn<QString>("densitySent"); // empty: nothing is sent
    QTest::addColumn<QString>("message");
    QTest::addColumn<kavu::MessageIcon>("icon");

    const auto dpi = [](const char* name, const QString& typed, const char* sent,
                        const QString& message, MessageIcon icon) {
        QTest::newRow(name) << false << typed << QString() << QString() << typed
                            << QString::fromUtf8(sent) << message << icon;
    };
    dpi("dpi 440", QStringLiteral("440"), "440", kDensityDone, MessageIcon::Exclamation);
    dpi("dpi blank, 440, px", QStringLiteral(" 440px"), "440", kDensityDone,
        MessageIcon::Exclamation);
    // The window manager reads whole densities from 72 up to 100000.
    const QString outOfRange = qtText(kOutOfRangeMessage);
    dpi("dpi abc reads 0, refused", QStringLiteral("abc"), "", outOfRange, MessageIcon::Critical);
    dpi("dpi blank only is not empty, reads 0", QStringLiteral(" "), "", outOfRange,
        MessageIcon::Critical);
    dpi("dpi fraction refused", QStringLiteral("441.50"), "", outOfRange, MessageIcon::Critical);
    dpi("dpi empty", QString(), "", QStringLiteral("未填写DPI！"), MessageIcon::Critical);

    const auto dp = [](const char* name, const QString& dpival, const QString& dpText,
                       const QString& width, const QString& dpivalAfter, const char* sent,
                       const QString& message, MessageIcon icon) {
        QTest::newRow(name) << true << dpival << dpText << width << dpivalAfter
                            << QString::fromUtf8(sent) << message << icon;
    };
    const QString noDp = QStringLiteral("未填写dp！");
    const QString noWidth = QStringLiteral("未填写纵向分辨率！");
    const QString badDp = QStringLiteral("dp值无效！");
    const QString was = QStringLiteral("300");
    dp("dp 411 of 1080 gives 420", was, QStringLiteral("411"), QStringLiteral("1080"),
       QStringLiteral("420"), "420", kDensityDone, MessageIcon::Exclamation);
    dp("dp 320 of 1081: 540.5 to even 540", was, QStringLiteral("320"), QStringLiteral("1081"),
       QStringLiteral("540"), "540", kDensityDone, MessageIcon::Exclamation);
    dp("dp 320 of 1083: 541.5 to even 542", was, QStringLiteral("320"), QStringLiteral("1083"),
       QStringLiteral("542"), "542", kDensityDone, MessageIcon::Exclamation);
    dp("dp typed loosely", QString(), QStringLiteral(" 411dp"), QStringLiteral("1080 px"),
       QStringLiteral("420"), "420", kDensityDone, MessageIcon::Exclamation);
    dp("dp largest 16-bit density", was, QStringLiteral("160"), QStringLiteral("32767"),
       QStringLiteral("32767"), "32767", kDensityDone, MessageIcon::Exclamation);
    dp("dp negative density shown, then refused", was, QStringLiteral("-160"),
       QStringLiteral("32768"), QStringLiteral("-32768"), "", outOfRange, MessageIcon::Critical);
    dp("dp width empty", was, QStringLiteral("411"), QString(), was, "", noWidth,
       MessageIcon::Critical);
    dp("dp both empty: the dp error only", was, QString(), QString(), was, "", noDp,
       MessageIcon::Critical);
    dp("dp empty, width filled", was, QString(), QStringLiteral("1080"), was, "", noDp,
       MessageIcon::Critical);
    dp("dp typed 0", was, QStringLiteral("0"), QStringLiteral("1080"), was, "", badDp,
       MessageIcon::Critical);
    dp("dp abc reads 0", was, QStringLiteral("abc"), QStringLiteral("1080"), was, "", badDp,
       MessageIcon::Critical);
    dp("dp blank only reads 0", was, QStringLiteral(" "), QStringLiteral(" "), was, "", badDp,
       MessageIcon::Critical);
    dp("dp 0 of 0", was, QStringLiteral("0"), QStringLiteral("0"), was, "", badDp,
       MessageIcon::Critical);
    dp("dp density above 16 bits", was, QStringLiteral("160"), QStringLiteral("32768"), was, "",
       badDp, MessageIcon::Critical);
    dp("dp density below 16 bits", was, QStringLiteral("-160"), QStringLiteral("32769"), was, "",
       badDp, MessageIcon::Critical);
    dp("dp 32767.5 goes to the even 32768: too large", was, QStringLiteral("160"),
       QStringLiteral("32767.5"), was, "", badDp, MessageIcon::Critical);
    dp("dp -32768.5 goes to the even -32768, then refused", was, QStringLiteral("-160"),
       QStringLiteral("32768.5"), QStringLiteral("-32768"), "", outOfRange, MessageIcon::Critical);
    dp("dp 0 with the width empty: the width error first", was, QStringLiteral("0"), QString(), was,
       "", noWidth, MessageIcon::Critical);
}

void NavigationTest::density() {
    QFETCH(bool, dpWay);
    QFETCH(QString, dpival);
    QFETCH(QString, dp);
    QFETCH(QString, width);
    QFETCH(QString, dpivalAfter);
    QFETCH(QString, densitySent);
    QFETCH(QString, message);
    QFETCH(kavu::MessageIcon, icon);

    typeInto(*m_window, QStringLiteral("DPIVAL"), dpival);
    if (dpWay) {
        click(*m_window, QStringLiteral("dpo"));
        typeInto(*m_window, QStringLiteral("Textdp"), dp);
        typeInto(*m_window, QStringLiteral("Textdd"), width);
    }
    click(*m_window, QStringLiteral("DPIYES"));

    QCOMPARE(boxText(*m_window, QStringLiteral("DPIVAL")), dpivalAfter);
    const QStringList sent =
        densitySent.isEmpty() ? QStringList()
                              : QStringList{QStringLiteral("adb shell wm density ") + densitySent};
    QVERIFY2(m_t->startedOnly(sent), m_t->mismatch());
    QCOMPARE(m_t->messages().size(), 1);
    QCOMPARE(m_t->messages().first().text, message);
    QCOMPARE(m_t->messages().first().title, kWarningTitle);
    QCOMPARE(m_t->messages().first().icon, icon);
    // The dp way never enables the dpi box.
    QCOMPARE(control<QLineEdit>(*m_window, QStringLiteral("DPIVAL"))->isEnabled(), !dpWay);
}

void NavigationTest::densityWarningFollowsCommand() {
    typeInto(*m_window, QStringLiteral("DPIVAL"), QStringLiteral("440"));
    click(*m_window, QStringLiteral("DPIYES"));

    // The note comes once the command has started.
    QCOMPARE(m_t->events(),
             (EventLog{Event::command(kHiddenPrefix + QStringLiteral("adb shell wm density 440")),
                       Event::message(kDensityDone)}));
}

// ---- frame "分辨率" ----------------------------------------------------------------------

void NavigationTest::resolution_data() {
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("command");

    QTest::newRow("1080 x 2340") << QStringLiteral("1080") << QStringLiteral("2340")
                                 << QStringLiteral("adb shell wm size 1080x2340");
    QTest::newRow("both empty") << QString() << QString()
                                << QStringLiteral("adb shell wm size 0x0");
    QTest::newRow("abc width") << QStringLiteral("abc") << QStringLiteral("2340")
                               << QStringLiteral("adb shell wm size 0x2340");
    QTest::newRow("loosely typed") << QStringLiteral(" 720.0 ") << QStringLiteral("1280px")
                                   << QStringLiteral("adb shell wm size 720x1280");
    // Refused: the window manager reads whole sizes from 0 to 100000.
    QTest::newRow("fraction") << QStringLiteral("1080.5") << QStringLiteral("2340") << QString();
}

void NavigationTest::resolution() {
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    QFETCH(QString, command); // empty: refused

    typeInto(*m_window, QStringLiteral("HOR"), horizontal);
    typeInto(*m_window, QStringLiteral("VER"), vertical);
    click(*m_window, QStringLiteral("RESOK"));

    QVERIFY2(m_t->startedOnly(command.isEmpty() ? QStringList() : QStringList{command}),
             m_t->mismatch());
    QCOMPARE(m_t->messages().size(), command.isEmpty() ? 2 : 1);
    if (command.isEmpty()) {
        QCOMPARE(m_t->messages().last().text, qtText(kOutOfRangeMessage));
        QCOMPARE(m_t->messages().last().icon, MessageIcon::Critical);
    }
    QCOMPARE(m_t->messages().first().text, kResolutionWarning);
    QCOMPARE(m_t->messages().first().title, kWarningTitle);
    QCOMPARE(m_t->messages().first().icon, MessageIcon::Exclamation);
    QCOMPARE(boxText(*m_window, QStringLiteral("HOR")), horizontal);
    QCOMPARE(boxText(*m_window, QStringLiteral("VER")), vertical);
}

void NavigationTest::resolutionWarningPrecedesCommand() {
    typeInto(*m_window, QStringLiteral("HOR"), QStringLiteral("1080"));
    typeInto(*m_window, QStringLiteral("VER"), QStringLiteral("2340"));
    click(*m_window, QStringLiteral("RESOK"));

    // The warning is shown before the command starts.
    QCOMPARE(
        m_t->events(),
        (EventLog{Event::message(kResolutionWarning),
                  Event::command(kHiddenPrefix + QStringLiteral("adb shell wm size 1080x2340"))}));
}

void NavigationTest::resets_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<const FixedCommand*>("command");

    QTest::newRow("density") << u"DPIVAL"_s << u"440"_s << u"DPINUL"_s << &display::kDensityReset;
    QTest::newRow("resolution") << u"HOR"_s << u"1080"_s << u"N_ShapeRESET"_s
                                << &display::kSizeReset;
}

// A reset runs its fixed command and leaves the typed value in its box; the commands are pinned in
// display_commands_test.
void NavigationTest::resets() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shape);
    QFETCH(const FixedCommand*, command);

    typeInto(*m_window, box, typed);
    click(*m_window, shape);

    QVERIFY2(m_t->ranOnly(*command), m_t->mismatch());
    QCOMPARE(boxText(*m_window, box), typed);
}

// The eight arrows have larger captions than the window's other buttons.
void NavigationTest::arrowButtonsCaptionSize() {
    for (kavu::N_Shape* button : m_window->findChildren<kavu::N_Shape*>()) {
        const bool arrow = button->caption().size() == 1;
        QCOMPARE(button->fontSize(), arrow ? 14 : 10);
    }
}

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
