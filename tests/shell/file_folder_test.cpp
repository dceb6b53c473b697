// The link that opens the File folder, in both windows that list it.
#include "apps/software.h"
#include "flash/okc.h"
#include "support/driving.h"
#include "support/test_app.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QtTest>
#include <QUrl>

#include <functional>
#include <unistd.h>

using namespace kavu;
using namespace Qt::StringLiterals;

using Opener = std::function<QWidget*(App&)>;
Q_DECLARE_METATYPE(Opener)

class FileFolderTest : public QObject {
    Q_OBJECT

private slots:
    void linkOpensTheFolder_data();
    void linkOpensTheFolder();
    void unreadableFolderIsNamed_data();
    void unreadableFolderIsNamed();
    void emptyListSaysWhereFilesGo_data();
    void emptyListSaysWhereFilesGo();
};

void FileFolderTest::linkOpensTheFolder_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<QString>("face");
    for (const QString& face : test::kBlankWidthFaces) {
        QTest::addRow("apps, %s", qPrintable(face))
            << Opener([](App& app) -> QWidget* { return app.open<Software>(); }) << u"Lab2el1"_s
            << face;
        QTest::addRow("flashing, %s", qPrintable(face))
            << Opener([](App& app) -> QWidget* { return app.open<OKC>(); }) << u"Label6ml22h"_s
            << face;
    }
}

void FileFolderTest::linkOpensTheFolder() {
    QFETCH(Opener, open);
    QFETCH(QString, instruction);
    QFETCH(QString, face);
    const test::AppFont font(face);
    test::TestApp t;
    QWidget* window = open(t.app());
    auto* link = test::control<QLabel>(*window, u"Labelopenfile"_s);
    auto* line = test::control<QLabel>(*window, instruction);
    QCOMPARE(link->text(), u"打开File文件夹"_s);
    // After the instruction's text, on its line, inside its frame.
    QVERIFY(link->x() >= line->x() + QFontMetrics(line->font()).horizontalAdvance(line->text()));
    QCOMPARE(link->y(), line->y());
    QVERIFY(link->parentWidget()->rect().contains(link->geometry()));

    test::click(*window, u"Labelopenfile"_s);
    QCOMPARE(t.fakes().browser.opened, QStringList{QUrl::fromLocalFile(t.fileFolder()).toString()});
    QVERIFY(t.started().isEmpty());

    QVERIFY(QDir(t.fileFolder()).removeRecursively());
    test::click(*window, u"Labelopenfile"_s);
    QCOMPARE(t.fakes().browser.opened.size(), 1);
    QCOMPARE(t.messages().size(), 1);
    QVERIFY(t.messages().first().text.startsWith(u"找不到File文件夹"_s));
}

void FileFolderTest::unreadableFolderIsNamed_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("denied"); // no right to read it; else a plain file stands in its place
    QTest::addColumn<QString>("reason");
    QTest::newRow("apps, a file in its place")
        << Opener([](App& app) -> QWidget* { return app.open<Software>(); }) << u"Fileapk"_s
        << u"N_Shapeinsta"_s << false << u"路径中有一项不是文件夹"_s;
    QTest::newRow("flashing, a file in its place")
        << Opener([](App& app) -> QWidget* { return app.open<OKC>(); }) << u"File1"_s
        << u"N_Shapeshuaru"_s << false << u"路径中有一项不是文件夹"_s;
    QTest::newRow("flashing, no right to read it")
        << Opener([](App& app) -> QWidget* { return app.open<OKC>(); }) << u"File1"_s
        << u"N_Shapeshuaru"_s << true << u"权限不够"_s;
}

void FileFolderTest::unreadableFolderIsNamed() {
    QFETCH(Opener, open);
    QFETCH(QString, list);
    QFETCH(QString, action);
    QFETCH(bool, denied);
    QFETCH(QString, reason);
    if (denied && geteuid() == 0) {
        QSKIP("the superuser reads every folder");
    }
    test::TestApp t;
    t.addFile(u"a.img"_s);
    if (denied) {
        QVERIFY(QFile::setPermissions(t.fileFolder(), QFile::WriteOwner));
    } else {
        QVERIFY(QDir(t.fileFolder()).removeRecursively());
        QFile file(t.fileFolder());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QWidget* window = open(t.app());
    const QString problem = u"无法读取File文件夹 "_s + t.fileFolder() + u"："_s + reason;

    auto* files = test::control<QListWidget>(*window, list);
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->item(0)->text(), problem);
    QCOMPARE(files->item(0)->flags(), Qt::NoItemFlags);
    test::click(*window, action);
    QCOMPARE(t.messages().size(), 1);
    QCOMPARE(t.messages().first().text, problem);
    QVERIFY(t.started().isEmpty());
    QFile::setPermissions(t.fileFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void FileFolderTest::emptyListSaysWhereFilesGo_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("extension");
    QTest::newRow("apps") << Opener([](App& app) -> QWidget* { return app.open<Software>(); })
                          << u"Fileapk"_s << u".apk"_s;
    QTest::newRow("flashing") << Opener([](App& app) -> QWidget* { return app.open<OKC>(); })
                              << u"File1"_s << u".img"_s;
}

// A list with nothing to pick says which files it lists and where they go, in a note that cannot
// be picked.
void FileFolderTest::emptyListSaysWhereFilesGo() {
    QFETCH(Opener, open);
    QFETCH(QString, list);
    QFETCH(QString, extension);
    test::TestApp t;
    t.addFile(u"notes.txt"_s);
    const QListWidgetItem* note = test::control<QListWidget>(*open(t.app()), list)->item(0);
    QCOMPARE(note->flags(), Qt::NoItemFlags);
    QCOMPARE(note->text(),
             u"File文件夹中没有 %1 文件。\n请把文件放进 File 文件夹：\n%2\n"
             u"然后点“点击此处刷新”。"_s.arg(extension, QDir::toNativeSeparators(t.fileFolder())));
}

QTEST_MAIN(FileFolderTest)
#include "file_folder_test.moc"
