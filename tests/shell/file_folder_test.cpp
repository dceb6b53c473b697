// The link that opens the File folder, in both windows that list it.
#include "apps/software.h"
#include "flash/okc.h"
#include "support/driving.h"
#include "support/test_app.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QtTest>
#include <QUrl>

#include <functional>

using namespace kavu;
using namespace Qt::StringLiterals;

using Opener = std::function<QWidget*(App&)>;
Q_DECLARE_METATYPE(Opener)

class FileFolderTest : public QObject {
    Q_OBJECT

private slots:
    void linkOpensTheFolder_data();
    void linkOpensTheFolder();
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

QTEST_MAIN(FileFolderTest)
#include "file_folder_test.moc"
