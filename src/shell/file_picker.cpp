#include "shell/file_picker.h"

#include "core/typed_text.h"
#include "platform/file_list.h"
#include "shell/app.h"
#include "widgets/click_label.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>

namespace kavu {

namespace {

// The instruction line leaves this many blanks for the refresh link drawn over them.
constexpr int kLinkBlanks = 19;

} // namespace

QFont monospaceFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Consolas"), font.family()});
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void placeRefreshLink(QLabel& instruction, QLabel& link) {
    // The line is laid out for blanks half as wide as a Han character; where the window's face
    // has narrower ones, the line takes its blanks and Latin letters from a monospaced face, which
    // has such blanks.
    const QString text = instruction.text();
    const QString blanks(kLinkBlanks, QLatin1Char(' '));
    const int linkWidth = QFontMetrics(link.font()).horizontalAdvance(link.text());
    if (QFontMetrics(instruction.font()).horizontalAdvance(blanks) < linkWidth) {
        QFont widened = instruction.font();
        widened.setFamilies({QFontInfo(monospaceFont()).family(), widened.family()});
        instruction.setFont(widened);
    }
    const QFontMetrics metrics(instruction.font());
    const int gapLeft =
        instruction.x() + metrics.horizontalAdvance(text.left(text.indexOf(blanks)));
    const int gapWidth = metrics.horizontalAdvance(blanks);
    link.setGeometry(gapLeft + (gapWidth - linkWidth) / 2, instruction.y(), linkWidth,
                     instruction.height());
    link.raise();
}

bool isSpliceablePickedFile(const QString& path, PickedName name) {
    if (checkSplice(path.toStdString(), Splice::PcQuoted) != Refusal::None) {
        return false;
    }
    return name == PickedName::InPathOnly ||
           checkSplice(QFileInfo(path).fileName().toStdString(), Splice::PcBare) == Refusal::None;
}

FilePicker::FilePicker(App& app, const Controls& controls, PickedName name, const QString& filter)
    : m_app(app)
    , m_controls(controls)
    , m_name(name)
    , m_nothingPicked(controls.selection.text()) {
    m_controls.selection.setVisible(false);
    m_controls.list.setFont(monospaceFont());
    m_controls.list.setSelectionMode(QAbstractItemView::SingleSelection);
    placeRefreshLink(m_controls.instruction, m_controls.link);

    connect(&m_controls.link, &ClickLabel::clicked, this, &FilePicker::refresh);
    connect(&m_controls.list, &QListWidget::itemSelectionChanged, this, &FilePicker::pickEntry);
    showFolder(filter);
}

void FilePicker::showFolder(const QString& filter) {
    m_filter = filter;
    refresh();
}

void FilePicker::refresh() {
    m_controls.list.clear();
    m_controls.list.addItems(plainFilesMatching(m_app.fileFolder(), m_filter));
}

QString FilePicker::currentFileName() const {
    const QList<QListWidgetItem*> picked = m_controls.list.selectedItems();
    return picked.isEmpty() ? QString() : picked.first()->text();
}

void FilePicker::pickEntry() {
    const QString name = currentFileName();
    if (name.isEmpty()) {
        return;
    }
    // The program folder, "\File\" and the name, with the platform's own separators.
    m_controls.selection.setText(QDir::toNativeSeparators(QDir(m_app.fileFolder()).filePath(name)));
}

std::optional<QString> FilePicker::acceptedPath() const {
    const QString path = m_controls.selection.text();
    if (path == m_nothingPicked) {
        m_app.messages().show(QStringLiteral(" 请从右侧选定一个文件！"), QStringLiteral("警告！"),
                              MessageIcon::Critical);
        return std::nullopt;
    }
    if (!isSpliceablePickedFile(path, m_name)) {
        m_app.messages().show(
            QStringLiteral("所选文件的名称或路径含有不允许的字符（& | < > ^ % \" 或换行），"
                           "请重命名该文件后点击“点击此处刷新”重新选择！"),
            QStringLiteral("警告！"), MessageIcon::Critical);
        return std::nullopt;
    }
    return path;
}

} // namespace kavu
