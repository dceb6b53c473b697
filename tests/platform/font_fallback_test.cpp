// The interface's face under a bare font configuration, which knows no generic families and no
// font for Chinese (CTest points FONTCONFIG_FILE at one that lists DejaVu's folder alone).
#include "platform/font_check.h"

#include <QApplication>
#include <QFontInfo>
#include <QtTest>

using namespace kavu;

class FontFallbackTest : public QObject {
    Q_OBJECT

private slots:
    void bareConfigurationGetsASansFace();
};

// Qt's own choice there is DejaVu's mathematics face, a serif one; Kavu takes DejaVu Sans.
void FontFallbackTest::bareConfigurationGetsASansFace() {
    QVERIFY(missingChineseFont().has_value());
    QVERIFY(QFontInfo(QApplication::font()).family() != QStringLiteral("DejaVu Sans"));
    QCOMPARE(sansFaceInstead(), QStringLiteral("DejaVu Sans"));
}

QTEST_MAIN(FontFallbackTest)
#include "font_fallback_test.moc"
