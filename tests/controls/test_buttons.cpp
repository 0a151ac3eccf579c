// The picture buttons: every glyph the program uses is in the built-in symbol font, clicks carry
// the index, and a disabled button stays silent.
#include "TestSupport.h"
#include "controls/ButtonGlyphs.h"
#include "controls/VisualButton.h"
#include "core/Fonts.h"
#include <QFontDatabase>
#include <QFontMetrics>
#include <QSignalSpy>

using namespace zorbel;

class TestButtons : public QObject {
    Q_OBJECT
private slots:
    void builtInFontsStandInForTheWindowsNames()
    {
        const QStringList families = QFontDatabase::families();
        for (const char* name : {"Times New Roman", "MS Sans Serif", "Arial Black", "Wingdings"})
            QVERIFY2(families.contains(fonts::family(QLatin1String(name))), name);
        QCOMPARE(QFontInfo(fonts::font(QStringLiteral("Arial Black"), 18)).family(), fonts::family(QStringLiteral("Arial Black")));
    }

    void everySymbolCodeHasItsGlyph()
    {
        const QFontMetrics fm(fonts::font(QStringLiteral("Wingdings"), 20.25));
        for (int code : {33, 41, 49, 60, 91, 97, 111, 121, 177, 197, 215, 216, 244, 251, 253, 254}) {
            const QString g = glyphs::forCode(code);
            QVERIFY2(g != QString(QChar(code)), qPrintable(QString::number(code)));
            QVERIFY2(fm.inFontUcs4(g.toUcs4().first()), qPrintable(QString::number(code)));
        }
        // Two of them have emoji forms: the text presentation is asked for.
        QVERIFY(glyphs::forCode(91).endsWith(QChar(0xFE0E)));
        QVERIFY(glyphs::forCode(97).endsWith(QChar(0xFE0E)));
        QCOMPARE(glyphs::forCode(63, QStringLiteral("Arial Black")), QStringLiteral("?"));
    }

    void clicksCarryTheIndexAndDisabledButtonsAreSilent()
    {
        VisualButton b(7, 63, QStringLiteral("Arial Black"), 18, nullptr);
        b.resize(49, 33);
        b.show();
        QSignalSpy spy(&b, &VisualButton::clickedIndex);
        QTest::mouseClick(&b, Qt::LeftButton);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toInt(), 7);
        b.setEnabled(false);
        QTest::mouseClick(&b, Qt::LeftButton);
        QCOMPARE(spy.size(), 1);
    }

    void glyphColourFollowsTheForeColour()
    {
        VisualButton b(6, 41, QStringLiteral("Wingdings"), 20.25, nullptr);
        b.resize(49, 33);
        b.setForeColor(QColor(255, 0, 0));
        const QImage img = b.grab().toImage();
        int red = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            }
        QVERIFY(red > 10);
    }
};

ZORBEL_TEST_MAIN(TestButtons)
#include "test_buttons.moc"
