#include "app/language.h"
#include "apps/phone_apps.h"
#include "apps/selection_risk.h"
#include "apps/software.h"
#include "apps/warning.h"
#include "console/messages.h"
#include "core/launch.h"
#include "devices/adb_device_tracker.h"
#include "devices/adb_shell_client.h"
#include "display/font_scale_offset.h"
#include "journal/journal.h"
#include "journal/journal_window.h"
#include "journal/reversal.h"
#include "platform/shown_text.h"
#include "shell/device_row.h"
#include "shell/form1.h"
#include "support/driving.h"
#include "support/test_app.h"
#include "widgets/click_label.h"
#include "widgets/glyph_button.h"
#include "widgets/kit_paint.h"
#include "widgets/n_shape.h"
#include "window_table.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTcpServer>
#include <QTextDocumentFragment>
#include <QTreeView>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <optional>

using namespace kavu;
using namespace kavu::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Han characters, CJK punctuation and full-width forms: what an untranslated text shows.
bool hasCjk(const QString& text) {
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{4DBF}\\x{4E00}-\\x{9FFF}"
                       "\\x{F900}-\\x{FAFF}\\x{FF00}-\\x{FFEF}]"));
    return cjk.match(text).hasMatch();
}

// A text a person reads in a window, with where it stands and how much room it has there.
struct Caption {
    QString where;
    // Whether the window shows it now or on one of its pages (not a hidden store of text).
    bool shown = true;
    QString text;
    // The text's width and height in the control's font, and the room the control gives it.
    QSize needed;
    QSize room;
};

QSize lineSize(const QFontMetrics& metrics, const QString& text) {
    int width = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    return {width, static_cast<int>(lines.size()) * metrics.height()};
}

// A frame's line is drawn on its edge: a caption keeps this much room from it.
constexpr int kFrameRoom = 4;

// How wide a label's one line may be for its text to stay inside the frame it stands in (however
// deep), set as the label aligns it.
int roomInFrame(const QLabel& label, int room) {
    const QWidget* frame = label.parentWidget();
    while (frame != nullptr && qobject_cast<const QGroupBox*>(frame) == nullptr) {
        frame = frame->parentWidget();
    }
    if (frame == nullptr) {
        return room;
    }
    const QRect text(label.mapTo(frame, label.contentsRect().topLeft()),
                     label.contentsRect().size());
    const QRect inside = frame->rect().adjusted(kFrameRoom, 0, -kFrameRoom, 0);
    if (label.alignment() & Qt::AlignHCenter) {
        const int centre = text.center().x();
        return std::min(room, 2 * std::min(centre - inside.left(), inside.right() - centre) + 1);
    }
    return std::min(room, label.alignment() & Qt::AlignRight ? text.right() + 1 - inside.left()
                                                             : inside.right() + 1 - text.left());
}

Caption labelCaption(const QLabel& label) {
    const QFontMetrics metrics(label.font());
    const QRect room = label.contentsRect();
    QString text = label.text();
    if (label.textFormat() == Qt::RichText ||
        (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
        text = QTextDocumentFragment::fromHtml(text).toPlainText();
    }
    if (label.wordWrap()) {
        // Wrapped at the label's width, as the label lays it out.
        return {label.objectName(),
                !label.isHidden(),
                text,
                {0, label.heightForWidth(label.width())},
                {0, label.height()}};
    }
    const QSize needed = lineSize(metrics, text);
    // One line is centred in the label's height and may use its leading; more must fit.
    const bool lines = text.contains(QLatin1Char('\n'));
    return {label.objectName(),
            !label.isHidden(),
            text,
            {needed.width(), lines ? needed.height() : 0},
            {roomInFrame(label, room.width()), lines ? room.height() : 0}};
}

// Every text of the window that a person reads or hears, whatever page shows it: the window
// title, labels, group box titles, the widget kit's captions, tool tips, place-holders, list
// headers and the names a screen reader reads. What the user typed or picked (box texts, file
// names) is not the program's text.
QList<Caption> captionsOf(QWidget& window) {
    QList<Caption> captions{{QStringLiteral("window title"), true, window.windowTitle(), {}, {}}};
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        const QString name = widget->objectName();
        if (!widget->accessibleName().isEmpty()) {
            captions.append({name + QStringLiteral(" accessible name"),
                             true,
                             widget->accessibleName(),
                             {},
                             {}});
        }
        if (!widget->toolTip().isEmpty()) {
            captions.append({name + QStringLiteral(" tool tip"), true, widget->toolTip(), {}, {}});
        }
        if (const auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
            captions.append(labelCaption(*label));
        } else if (const auto* box = qobject_cast<QGroupBox*>(widget)) {
            // Fusion draws the title from 8 px past the frame's left edge.
            const QSize needed(QFontMetrics(box->font()).horizontalAdvance(box->title()) + 16, 0);
            captions.append({name, true, box->title(), needed, {box->width(), 0}});
        } else if (const auto* button = qobject_cast<N_Shape*>(widget)) {
            const QFontMetrics metrics(kit::captionFont(button->fontSize(), button->fontBold()));
            const QSize needed(metrics.horizontalAdvance(button->caption()), 0);
            captions.append({name, true, button->caption(), needed, {button->width(), 0}});
        } else if (const auto* glyph = qobject_cast<GlyphButton*>(widget)) {
            const int needed = kit::glyphButtonSize(glyph->fontMetrics(), glyph->caption()).width();
            captions.append({name, true, glyph->caption(), {needed, 0}, {glyph->width(), 0}});
        } else if (const auto* edit = qobject_cast<QLineEdit*>(widget)) {
            // Inside the frame the box keeps a margin of 2 px on either side of its text.
            const int frame =
                edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
            const int needed =
                QFontMetrics(edit->font()).horizontalAdvance(edit->placeholderText());
            captions.append({name + QStringLiteral(" place-holder"),
                             !edit->isHidden(),
                             edit->placeholderText(),
                             {needed, 0},
                             {edit->width() - 2 * frame - 4, 0}});
        } else if (const auto* button = qobject_cast<QAbstractButton*>(widget);
                   button && !button->text().isEmpty()) {
            // A push or radio button's text; the style sizes the button around it.
            captions.append({name, !button->isHidden(), button->text(), {}, {}});
        } else if (const auto* list = qobject_cast<QComboBox*>(widget)) {
            captions.append(
                {name + QStringLiteral(" place-holder"), true, list->placeholderText(), {}, {}});
        } else if (const auto* list = qobject_cast<QListWidget*>(widget)) {
            // What the program writes into a list in place of entries (why it is empty).
            for (int row = 0; row < list->count(); ++row) {
                if (const QListWidgetItem* note = list->item(row);
                    note->flags() == Qt::NoItemFlags) {
                    const int margin = 2 * list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
                    captions.append(
                        {name + QStringLiteral(" note"), true, note->text(),
                         lineSize(QFontMetrics(list->font()), note->text()) + QSize(margin, 0),
                         list->viewport()->size()});
                }
            }
        } else if (const auto* view = qobject_cast<QTreeView*>(widget)) {
            // Each column's title fits its column, and the columns fit the list, whatever it holds.
            const QHeaderView* header = view->header();
            const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin);
            for (int column = 0; column < header->count(); ++column) {
                const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
                captions.append({name + QStringLiteral(" header"),
                                 true,
                                 title,
                                 {header->fontMetrics().horizontalAdvance(title) + margin, 0},
                                 {header->sectionSize(column), 0}});
            }
            captions.append({name + QStringLiteral(" columns"),
                             true,
                             QStringLiteral("(%1 columns)").arg(header->count()),
                             {header->length(), 0},
                             {view->viewport()->width(), 0}});
        } else if (const auto* view = qobject_cast<QAbstractItemView*>(widget)) {
            const QAbstractItemModel* model = view->model();
            for (int column = 0; model != nullptr && column < model->columnCount(); ++column) {
                captions.append({name + QStringLiteral(" header"),
                                 true,
                                 model->headerData(column, Qt::Horizontal).toString(),
                                 {},
                                 {}});
            }
        }
    }
    return captions;
}

// The row a label draws the foot of its text on: an "I" drawn in its place, in its face without an
// underline, for the label's own text is of glyphs whose feet differ.
int drawnBaseline(QLabel& label) {
    const QString text = label.text();
    const QString sheet = label.styleSheet();
    const QFont font = label.font();
    QFont plain = font;
    plain.setUnderline(false);
    label.setStyleSheet(QString());
    label.setFont(plain);
    label.setText(QStringLiteral("I"));
    const QImage image = label.grab().toImage();
    label.setText(text);
    label.setStyleSheet(sheet);
    label.setFont(font);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return y;
            }
        }
    }
    return -1;
}

// Labels set into a line of text (a link over its run of blanks, another after it) stand on the
// line's baseline and fill their run of blanks, leaving no gap wider than a blank. The help page's
// answer keeps the runs its Chinese text was written with (38 and 25 blanks), wider than what is
// set into them: there only the baseline is measured.
QStringList offTheLine(QWidget& window) {
    QStringList faults;
    for (QLabel* line : window.findChildren<QLabel*>()) {
        if (!line->text().contains(QStringLiteral("  ")) || line->isHidden()) {
            continue;
        }
        const QFontMetrics metrics(line->font());
        const int blank = metrics.horizontalAdvance(u' ');
        for (QLabel* set :
             line->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (set == line || set->isHidden() || set->y() != line->y() ||
                set->height() != line->height()) {
                continue;
            }
            const int base = drawnBaseline(*line) + line->y();
            const int own = drawnBaseline(*set) + set->y();
            if (own != base) {
                faults << u"%1: \"%2\" stands on row %3, its line on %4"_s
                              .arg(set->objectName(), set->text())
                              .arg(own)
                              .arg(base);
            }
            // Set over a run of blanks: what the run leaves of it on either side.
            const QString text = line->text();
            static const QRegularExpression blanks(QStringLiteral("  +"));
            for (const QRegularExpressionMatch& found : blanks.globalMatch(text)) {
                const int from =
                    line->x() + metrics.horizontalAdvance(text.left(found.capturedStart()));
                const int width = metrics.horizontalAdvance(found.captured());
                const int centre = set->geometry().center().x();
                const int gap = width - QFontMetrics(set->font()).horizontalAdvance(set->text());
                if (centre >= from && centre < from + width && gap > blank &&
                    line->objectName() != u"Labeldraganswer") {
                    faults << u"%1: \"%2\" leaves %3 px of blanks around it"_s
                                  .arg(set->objectName(), set->text())
                                  .arg(gap);
                }
            }
        }
    }
    return faults;
}

// Rows of buttons one above the other over the same width line up: every edge of the row with
// fewer buttons is an edge of the other row too.
QStringList rowsOutOfLine(QWidget& window) {
    QMap<std::pair<QWidget*, int>, QList<int>> rows; // the buttons' edges, by parent and top
    for (N_Shape* button : window.findChildren<N_Shape*>()) {
        rows[{button->parentWidget(), button->y()}] << button->x() << button->geometry().right();
    }
    QStringList faults;
    const QList<std::pair<QWidget*, int>> keys = rows.keys();
    for (qsizetype at = 1; at < keys.size(); ++at) {
        QList<int> upper = rows[keys[at - 1]];
        QList<int> lower = rows[keys[at]];
        std::sort(upper.begin(), upper.end());
        std::sort(lower.begin(), lower.end());
        if (keys[at].first == keys[at - 1].first && upper.size() > 2 && lower.size() > 2 &&
            upper.first() == lower.first() && upper.last() == lower.last() &&
            !QSet<int>(upper.begin(), upper.end())
                 .contains(QSet<int>(lower.begin(), lower.end())) &&
            !QSet<int>(lower.begin(), lower.end())
                 .contains(QSet<int>(upper.begin(), upper.end()))) {
            faults << u"%1: the buttons at y %2 and %3 do not line up"_s
                          .arg(keys[at].first->objectName())
                          .arg(keys[at - 1].second)
                          .arg(keys[at].second);
        }
    }
    return faults;
}

using WindowOpener = std::function<QWidget*(TestApp&)>;

// The window a launcher row opens: the top-level window that was not there before.
WindowOpener fromWindowTable(const WindowRow& row) {
    return [&row](TestApp& t) -> QWidget* {
        const QWidgetList before = QApplication::topLevelWidgets();
        FontScaleOffset offset;
        row.open(t.app(), offset);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!before.contains(window) && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    };
}

enum class Check { NoChinese, CaptionsFit };

// A device list the test sets.
class ListedWatch final : public DeviceWatch {
public:
    ListedWatch()
        : DeviceWatch(AdbServer()) {}
    void start() override {}

protected:
    void followServer() override {}
};

} // namespace

Q_DECLARE_METATYPE(WindowOpener)
Q_DECLARE_METATYPE(kavu::Language)

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void languageFor_data();
    void languageFor();
    void consolePhrasesStayText();
    void windows_data();
    void windows();
    void deviceRowShowsEveryExplanationWhole_data();
    void deviceRowShowsEveryExplanationWhole();
    void riskDialogAsksForTheShownPhrase();
    void journalWordsFollowTheLanguage();
};

void LanguageTest::languageFor_data() {
    QTest::addColumn<QString>("forced");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Language>("language");
    QTest::newRow("Chinese locale") << QString() << u"zh_CN"_s << Language::Chinese;
    QTest::newRow("any zh locale") << QString() << u"zh_TW"_s << Language::Chinese;
    QTest::newRow("C locale names no language") << QString() << u"C"_s << Language::Chinese;
    QTest::newRow("English locale") << QString() << u"en_US"_s << Language::English;
    QTest::newRow("other locale") << QString() << u"de_DE"_s << Language::English;
    QTest::newRow("forced en") << u"en"_s << u"zh_CN"_s << Language::English;
    QTest::newRow("forced zh") << u"zh"_s << u"C"_s << Language::Chinese;
    QTest::newRow("unknown forces nothing") << u"fr"_s << u"zh_CN"_s << Language::Chinese;
}

void LanguageTest::languageFor() {
    QFETCH(QString, forced);
    QFETCH(QString, locale);
    QFETCH(Language, language);
    QCOMPARE(kavu::languageFor(forced, locale), language);
}

// In English every text Kavu writes on a console is English, is text for the interpreter (no
// character that would split, redirect or expand the line) and keeps the banner's frame.
void LanguageTest::consolePhrasesStayText() {
    const Translation english(Language::English);
    for (const std::string_view phrase : launch::kConsolePhrases) {
        const QString shown = shownText(phrase);
        QVERIFY2(!hasCjk(shown), qPrintable(shown));
        QVERIFY2(checkSplice(shown.toStdString(), Splice::PcBare) == Refusal::None,
                 qPrintable(shown));
    }
    for (const std::string_view fixed :
         {launch::kInstallResultSuffix, launch::kPushResultSuffix, launch::kFlashDoneRecoverySuffix,
          launch::kFlashDoneSuffix, launch::kRegistrySuccessSuffix, launch::kGoogleDoneLine,
          launch::kInstallLive.head, launch::kInstallLive.tail, launch::kPushLive.head,
          launch::kPushLive.tail}) {
        QVERIFY2(!hasCjk(shownConsoleText(fixed)), fixed.data());
    }
    // kavu-cmd's own messages, as it words them when Kavu speaks English.
    const console::Messages& messages = console::messagesFor("en");
    for (const std::string_view message :
         {messages.syntaxError, messages.echoOn, messages.echoOff, messages.pausePrompt,
          messages.pathNotFound, messages.fileNotFound, messages.accessDenied, messages.noRegistry,
          messages.badColor, messages.findstrUsage, messages.noOpener, messages.notFoundBefore,
          messages.notFoundAfter, messages.unexpectedBefore, messages.unexpectedAfter,
          messages.lineBreak}) {
        QVERIFY2(!hasCjk(QString::fromUtf8(message.data(), qsizetype(message.size()))),
                 message.data());
    }
    const std::string banner = launch::deviceCheckBanner(translatedText);
    QVERIFY2(!hasCjk(QString::fromStdString(banner)), banner.c_str());
    // Every row of the frame ends in the same column.
    for (const std::string_view row : {"1. ", "2. ", "3. "}) {
        const std::size_t start = banner.find(row);
        QVERIFY(start != std::string::npos);
        const std::size_t end = banner.find(" && ", start);
        const std::size_t lineStart = banner.rfind("echo", start) + 5;
        QCOMPARE(consoleColumns(std::string_view(banner).substr(lineStart, end - lineStart)),
                 std::size_t{68});
    }
}

void LanguageTest::windows_data() {
    QTest::addColumn<WindowOpener>("open");
    QTest::addColumn<Language>("language");
    QList<std::pair<QString, WindowOpener>> windows{
        {u"main window"_s, [](TestApp& t) -> QWidget* { return t.app().find<Form1>(); }},
        {u"risk dialog"_s, [](TestApp& t) -> QWidget* { return t.app().open<WARNING>(); }},
        // The package list beside the apps window, saying why it has nothing to list.
        {u"phone apps"_s,
         [](TestApp& t) -> QWidget* {
             Software* apps = t.app().open<Software>();
             click<ClickLabel>(*apps, u"Labelreadapps"_s);
             return apps->findChild<PhoneApps*>();
         }},
        // The journal of a phone with no entries, and of one with long lines: every column in
        // sight with its whole title.
        {u"journal, empty"_s,
         [](TestApp& t) -> QWidget* {
             t.app().devices().chooseOne(u"R58M1234567"_s);
             return t.app().open<journal::JournalWindow>(*t.app().journal());
         }},
        {u"journal, long lines"_s,
         [](TestApp& t) -> QWidget* {
             t.app().devices().chooseOne(u"R58M1234567"_s);
             for (int i = 0; i < 30; ++i) {
                 t.run(u"adb shell settings put global window_animation_scale 0.5 && adb shell "
                       u"settings put global transition_animation_scale 0.5"_s,
                       launch::kHidden);
             }
             return t.app().open<journal::JournalWindow>(*t.app().journal());
         }},
        // The package list's risk dialog for a selection with system packages.
        {u"selection risk"_s,
         [](TestApp& t) -> QWidget* {
             auto* dialog = new SelectionRisk(t.app().messages(), apps::PackageAction::Freeze, 12,
                                              3, t.app().find<Form1>());
             dialog->show();
             return dialog;
         }},
    };
    for (const WindowRow& row : windowTable()) {
        windows.append({row.entry.label.toString(), fromWindowTable(row)});
    }
    for (const auto& [name, open] : windows) {
        QTest::newRow(qPrintable(name + u" zh"_s)) << open << Language::Chinese;
        QTest::newRow(qPrintable(name + u" en"_s)) << open << Language::English;
    }
}

// In English no text of the window is left in Chinese, and in either language every caption
// fits its control with the control's font.
void LanguageTest::windows() {
    QFETCH(WindowOpener, open);
    QFETCH(Language, language);
    const Translation translation(language);
    TestApp t(false);
    // A device row that follows an adb server nobody runs.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    AdbDeviceTracker devices(port);
    t.app().setDeviceWatch(&devices);
    AdbShellClient client(port, ShellLimits{});
    t.app().setShellClient(&client);
    journal::Journal journal(t.app(), t.folder() + u"/journal"_s);
    t.app().setJournal(&journal);
    QVERIFY(t.app().mainWindow() != nullptr);
    QWidget* window = open(t);
    QVERIFY(window != nullptr);
    QStringList untranslated;
    QStringList clipped;
    for (const Caption& caption : captionsOf(*window)) {
        if (language == Language::English && hasCjk(caption.text)) {
            untranslated.append(caption.where + u": "_s + caption.text);
        }
        // A lone symbol (an arrow, a tick) is a glyph centred on its button: its ink is narrower
        // than its advance.
        const bool measured = caption.shown && caption.text.size() > 1;
        if (measured && (caption.needed.width() > caption.room.width() ||
                         caption.needed.height() > caption.room.height())) {
            clipped.append(u"%1: \"%2\" needs %3x%4, has %5x%6"_s.arg(caption.where, caption.text)
                               .arg(caption.needed.width())
                               .arg(caption.needed.height())
                               .arg(caption.room.width())
                               .arg(caption.room.height()));
        }
    }
    // tests/e2e/screenshots.sh asks for a picture of each window, to look at.
    if (const QString folder = qEnvironmentVariable("KAVU_SCREENSHOTS"); !folder.isEmpty()) {
        const QString name = QString::fromLatin1(QTest::currentDataTag()) + u".png"_s;
        QVERIFY(window->grab().save(QDir(folder).filePath(name)));
    }
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    QStringList placed = offTheLine(*window) + rowsOutOfLine(*window);
    for (const QListWidget* list : window->findChildren<QListWidget*>()) {
        if (list->count() == 0) {
            placed << list->objectName() + u" is blank: it does not say why"_s;
        }
    }
    QVERIFY2(placed.isEmpty(), qPrintable(placed.join(u'\n')));
}

void LanguageTest::deviceRowShowsEveryExplanationWhole_data() {
    QTest::addColumn<Language>("language");
    QTest::newRow("zh") << Language::Chinese;
    QTest::newRow("en") << Language::English;
}

// Every explanation of the device row stands in it whole, in either language, with what adb says
// when it cannot start its server, as Debian's adb words it.
void LanguageTest::deviceRowShowsEveryExplanationWhole() {
    QFETCH(Language, language);
    const Translation translation(language);
    TestApp t(false);
    ListedWatch watch;
    t.app().setDeviceWatch(&watch);
    Form1* main = form1(t.app());
    QVERIFY(main != nullptr);
    auto* row = main->findChild<DeviceRow*>();
    auto* shown = control<QLabel>(*main, u"Labeldevstate"_s);
    using devices::Server;
    const adb::ListedDevice ready{"R58M1234567", "device", "Pixel_7"};
    const adb::ListedDevice other{"192.168.100.200:5555", "unauthorized", ""};
    const devices::ServerStartFailure failure{
        255, "could not install *smartsocket* listener: Permission denied"};
    std::vector<std::string> texts{
        devices::explanation({Server::Down, {}, ""}, std::nullopt, translatedText),
        devices::explanation({Server::Down, {}, "", failure}, std::nullopt, translatedText),
        devices::explanation({Server::Up, {ready, other}, ""}, std::nullopt, translatedText),
        devices::explanation({Server::Up, {}, ""}, ready.serial, translatedText),
        devices::everyDeviceExplanation({Server::Up, {ready, ready, other}, ""}, translatedText)};
    for (const char* state : {"device", "unauthorized", "offline", "no permissions", "recovery",
                              "sideload", "bootloader", "authorizing", "host"}) {
        texts.push_back(devices::explanation({Server::Up, {{ready.serial, state, ""}}, ""},
                                             ready.serial, translatedText));
    }
    QStringList cut;
    for (const std::string& text : texts) {
        row->tell(QString::fromStdString(text));
        if (shown->text() != QString::fromStdString(text) ||
            shown->heightForWidth(shown->width()) > shown->height()) {
            cut << shown->text();
        }
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u"\n---\n"_s)));
}

// The English risk dialog shows its English phrase and takes it, typed, as the Chinese dialog
// takes the Chinese one.
void LanguageTest::riskDialogAsksForTheShownPhrase() {
    const Translation english(Language::English);
    TestApp t;
    Software* apps = t.app().open<Software>();
    typeInto(*apps, u"APPText5"_s, u"com.example.app"_s);
    click<N_Shape>(*apps, u"unsinssys"_s);
    WARNING* dialog = t.app().find<WARNING>();
    QVERIFY(dialog != nullptr);
    const QString phrase = control<QLabel>(*dialog, u"Label3"_s)->text();
    QVERIFY2(!hasCjk(phrase), qPrintable(phrase));
    t.clearRecords();
    typeInto(*dialog, u"ala"_s, phrase);
    click<N_Shape>(*dialog, u"N_Shapefx"_s);
    QVERIFY2(t.ranOnly(QStringList{u"adb shell pm uninstall -k --user 0  com.example.app"_s},
                       launch::WindowMode::Normal),
             t.mismatch());
}

// The journal keeps its own words as written; the window shows them in its language, and a
// setting's value as it is.
void LanguageTest::journalWordsFollowTheLanguage() {
    const Translation english(Language::English);
    const struct {
        QString kept;
        QString shown;
    } cases[] = {
        {u"已启用"_s, u"enabled"_s},
        {u"默认（1080x2400）"_s, u"default (1080x2400)"_s},
        {u"（无值）"_s, u"(no value)"_s},
        {u"实际电池状态"_s, u"the actual battery state"_s},
        {u"1.5"_s, u"1.5"_s},
    };
    for (const auto& c : cases) {
        QCOMPARE(journal::shownRestores(c.kept), c.shown);
    }
}

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
