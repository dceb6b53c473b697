// The production message box, shown for real on the offscreen platform.
#include "platform/desktop_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace kavu;

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void quotedNamesAreShownAsPlainText();
};

// A message quoting a folder or file name shows the name as it is, never as markup.
void MessageBoxesTest::quotedNamesAreShownAsPlainText() {
    const QString text = QStringLiteral("找不到File文件夹：/home/<b>me</b><img src='/tmp/x.png'>");
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            shown = box->text();
            box->accept();
        }
    });
    closer.start(10);
    DialogMessageBoxes().show(text, QStringLiteral("警告！"), MessageIcon::Critical);
    QCOMPARE(shown, text);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
