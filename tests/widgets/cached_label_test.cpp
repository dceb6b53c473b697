#include "widgets/cached_label.h"

#include <QImage>
#include <QtTest>

using namespace kavu;

// The cached picture must look exactly like a plain label, and follow the text when it changes.
class CachedLabelTest : public QObject {
    Q_OBJECT

private slots:
    void looksLikeAPlainLabel_data();
    void looksLikeAPlainLabel();
    void followsTextChanges();
};

namespace {

template <class Label> QImage picture(const QString& text, const QSize& size) {
    Label label;
    label.setAutoFillBackground(true);
    label.setText(text);
    label.resize(size);
    return label.grab().toImage();
}

} // namespace

void CachedLabelTest::looksLikeAPlainLabel_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("size");
    QTest::newRow("notice") << QStringLiteral("本工具永久免费，严禁倒卖！") << QSize(400, 25);
    QTest::newRow("latin") << QStringLiteral("Kavu 6.71") << QSize(120, 20);
    QTest::newRow("empty") << QString() << QSize(50, 20);
}

void CachedLabelTest::looksLikeAPlainLabel() {
    QFETCH(QString, text);
    QFETCH(QSize, size);
    QCOMPARE(picture<CachedLabel>(text, size), picture<QLabel>(text, size));
}

void CachedLabelTest::followsTextChanges() {
    CachedLabel label;
    label.setAutoFillBackground(true);
    label.resize(200, 25);
    label.setText(QStringLiteral("第一行"));
    const QImage first = label.grab().toImage();
    label.setText(QStringLiteral("第二行"));
    const QImage second = label.grab().toImage();
    QVERIFY(first != second);
    QCOMPARE(second, picture<QLabel>(QStringLiteral("第二行"), QSize(200, 25)));
}

QTEST_MAIN(CachedLabelTest)
#include "cached_label_test.moc"
