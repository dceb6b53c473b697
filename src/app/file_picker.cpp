#include "app/file_picker.h"

#include "app/app.h"
#include "app/text_layout.h"
#include "core/typed_text.h"
#include "platform/file_list.h"
#include "platform/shown_text.h"
#include "widgets/click_label.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QUrl>

namespace kavu {

namespace {

// Room a list's entry keeps on either side of its text.
constexpr int kHintMargin = 4;

} // namespace

void placeInstructionLinks(QLabel& instruction, QLabel& link, QLabel& folderLink) {
    // The line leaves a run of blanks for the refresh link, as many as its language's words need
    // (nineteen in Chinese).
    static const QRegularExpression run(QStringLiteral("  +"));
    const QRegularExpressionMatch blanks = run.match(instruction.text());
    placeInBlankRuns(instruction, {{link, blanks.capturedStart(), blanks.capturedLength()}},
                     &folderLink);
}

bool isSpliceablePickedFile(const QString& path, PickedName name) {
    if (checkSplice(path.toStdString(), Splice::PcQuoted) != Refusal::None) {
        return false;
    }
    return name == PickedName::InPathOnly ||
           checkSplice(QFileInfo(path).fileName().toStdString(), Splice::PcBare) == Refusal::None;
}

FilePicker::FilePicker(App& app, const Controls& controls, ListSide side, PickedName name,
                       const QString& filter)
    : m_app(app)
    , m_controls(controls)
    , m_side(side)
    , m_name(name)
    , m_nothingPicked(controls.selection.text()) {
    m_controls.selection.setVisible(false);
    m_controls.selection.setTextFormat(Qt::PlainText);
    m_controls.list.setFont(monospaceFont());
    m_controls.list.setSelectionMode(QAbstractItemView::SingleSelection);
    placeInstructionLinks(m_controls.instruction, m_controls.link, m_controls.folderLink);

    connect(&m_controls.link, &ClickLabel::clicked, this, &FilePicker::refresh);
    connect(&m_controls.folderLink, &ClickLabel::clicked, this, &FilePicker::openFolder);
    connect(&m_controls.list, &QListWidget::itemSelectionChanged, this, &FilePicker::pickEntry);
    connect(&m_controls.list, &QListWidget::currentItemChanged, this, &FilePicker::pickCurrent);
    showFolder(filter);
}

void FilePicker::showFolder(const QString& filter) {
    m_filter = filter;
    refresh();
}

void FilePicker::refresh() {
    m_controls.list.clear();
    const QString folder = m_app.fileFolder();
    m_folderProblem.clear();
    if (const std::optional<QString> reason = unlistableFolderReason(folder)) {
        m_folderProblem = shownText(KAVU_TEXT("kavu", "无法读取File文件夹 %1：%2"))
                              .arg(QDir::toNativeSeparators(folder), *reason);
        (new QListWidgetItem(m_folderProblem, &m_controls.list))->setFlags(Qt::NoItemFlags);
        return;
    }
    m_controls.list.addItems(plainFilesMatching(folder, m_filter));
    if (m_controls.list.count() == 0) {
        showWhereFilesGo(folder);
        return;
    }
    // The kept pick is the list's current entry, where the focus lands.
    const QString picked = m_controls.selection.text();
    if (picked != m_nothingPicked) {
        const QList<QListWidgetItem*> found =
            m_controls.list.findItems(QFileInfo(picked).fileName(), Qt::MatchExactly);
        if (!found.isEmpty()) {
            m_controls.list.setCurrentItem(found.first());
        }
    }
}

// An empty list says where its files go, a line each so that nothing is cut: the folder's path is
// shortened in the middle where it is longer than the list is wide, and stays whole in the tool
// tip.
void FilePicker::showWhereFilesGo(const QString& folder) {
    // "*.apk" lists ".apk" files; "*.*" any file.
    const QString extension = m_filter.mid(1);
    const QString none =
        extension == u".*"
            ? shownText(KAVU_TEXT("kavu", "File文件夹是空的。"))
            : shownText(KAVU_TEXT("kavu", "File文件夹中没有 %1 文件。")).arg(extension);
    const QString path = QDir::toNativeSeparators(folder);
    const int width = m_controls.list.contentsRect().width() - 2 * kHintMargin;
    auto* hint = new QListWidgetItem(
        QStringList{none, shownText(KAVU_TEXT("kavu", "请把文件放进 File 文件夹：")),
                    QFontMetrics(m_controls.list.font()).elidedText(path, Qt::ElideMiddle, width),
                    shownText(KAVU_TEXT("kavu", "然后点“点击此处刷新”。"))}
            .join(u'\n'),
        &m_controls.list);
    hint->setFlags(Qt::NoItemFlags);
    hint->setToolTip(path);
}

QString FilePicker::currentFileName() const {
    const QList<QListWidgetItem*> picked = m_controls.list.selectedItems();
    return picked.isEmpty() ? QString() : picked.first()->text();
}

// A list that takes the focus from the keyboard makes its first entry the current one, marked but
// not selected; Return on "执行" must then act on the entry the mark is on.
void FilePicker::pickCurrent(QListWidgetItem* current) {
    if (current != nullptr && current->flags().testFlag(Qt::ItemIsSelectable) &&
        m_controls.list.selectedItems().isEmpty()) {
        current->setSelected(true);
    }
}

void FilePicker::pickEntry() {
    const QString name = currentFileName();
    if (name.isEmpty()) {
        return;
    }
    // The program folder, "\File\" and the name, with the platform's own separators.
    m_controls.selection.setText(QDir::toNativeSeparators(QDir(m_app.fileFolder()).filePath(name)));
}

// Users find where to put their files wherever the folder lives (beside the program, or in their
// data folder when Kavu is installed).
void FilePicker::openFolder() {
    const QString folder = m_app.fileFolder();
    if (!QFileInfo(folder).isDir()) {
        m_app.messages().show(shownText(KAVU_TEXT("kavu", "找不到File文件夹：")) +
                                  QDir::toNativeSeparators(folder),
                              shownText(KAVU_TEXT("kavu", "警告！")), MessageIcon::Critical);
        return;
    }
    m_app.browser().open(QUrl::fromLocalFile(folder).toString());
}

std::optional<QString> FilePicker::acceptedPath() const {
    const QString path = m_controls.selection.text();
    if (path == m_nothingPicked && !m_folderProblem.isEmpty()) {
        m_app.messages().show(m_folderProblem, shownText(KAVU_TEXT("kavu", "警告！")),
                              MessageIcon::Critical);
        return std::nullopt;
    }
    if (path == m_nothingPicked) {
        m_app.messages().show(m_side == ListSide::Right
                                  ? shownText(KAVU_TEXT("kavu", " 请从右侧选定一个文件！"))
                                  : shownText(KAVU_TEXT("kavu", " 请从左侧选定一个文件！")),
                              shownText(KAVU_TEXT("kavu", "警告！")), MessageIcon::Critical);
        return std::nullopt;
    }
    if (!isSpliceablePickedFile(path, m_name)) {
        // Each message names what its rule refuses: only a name that also stands bare refuses
        // the interpreter's operators; inside the quotes they are plain characters.
        const QString refused =
            m_name == PickedName::AlsoBare
                ? shownText(KAVU_TEXT(
                      "kavu", "所选文件的名称或路径含有不允许的字符（& | < > ^ % \" 或换行），"))
                : shownText(KAVU_TEXT(
                      "kavu",
                      "所选文件的路径含有不允许的字符（\" % 或换行等控制字符）或以 \\ 结尾，"));
        m_app.messages().show(
            refused + shownText(KAVU_TEXT("kavu", "请重命名该文件后点击“点击此处刷新”重新选择！")),
            shownText(KAVU_TEXT("kavu", "警告！")), MessageIcon::Critical);
        return std::nullopt;
    }
    return path;
}

} // namespace kavu
