// The Print button of the error dialog: the wrapped protocol reaches the printer line by line,
// page after page, and a missing printer is reported inside the dialog.
#include "DialogDriver.h"
#include "core/AppInfo.h"
#include "core/Printer.h"
#include "errors/Protocol.h"
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <map>

using namespace zorbel;
using namespace zorbel::test;
using printing::ImagePrinters;

namespace {
enum { Print, Save };

// A page that keeps the text drawn on it, by baseline.
class TextEngine : public QPaintEngine {
public:
    TextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override { lines[p.y()] += item.text(); }
    Type type() const override { return QPaintEngine::User; }
    std::map<double, QString> lines;
};

class TextPage : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return 1000;
        case PdmHeight: return 1400;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 120;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }
    mutable TextEngine engine;
};

class TextJob : public printing::PrintJob {
public:
    explicit TextJob(std::vector<std::vector<QString>>& sent) : m_sent(sent) { start(); }
    QPainter& painter() override { return m_painter; }
    QRectF printableRect() const override { return QRectF(0, 0, 1000, 1400); }
    int resolution() const override { return 120; }
    bool newPage() override
    {
        finish();
        start();
        return true;
    }
    void end() override { finish(); }

private:
    void start()
    {
        m_page = std::make_unique<TextPage>();
        m_painter.begin(m_page.get());
    }
    void finish()
    {
        m_painter.end();
        std::vector<QString> lines;
        for (const auto& [y, text] : m_page->engine.lines)
            lines.push_back(text);
        m_sent.push_back(lines);
    }
    std::vector<std::vector<QString>>& m_sent;
    std::unique_ptr<TextPage> m_page;
    QPainter m_painter;
};

// Pages of text: each a list of printed lines, top to bottom.
class TextPrinters : public printing::Printers {
public:
    std::unique_ptr<printing::PrintJob> begin(QPageLayout::Orientation o) override
    {
        orientation = o;
        return std::make_unique<TextJob>(pages);
    }
    std::optional<printing::PrinterGeometry> geometry() override { return std::nullopt; }
    std::vector<std::vector<QString>> pages;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
};

// Rows of the page with any ink on them, and the columns and rows the ink spans.
QRect inkBounds(const QImage& page, int* inkRows)
{
    QRect bounds;
    *inkRows = 0;
    for (int y = 0; y < page.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        bool ink = false;
        for (int x = 0; x < page.width(); ++x)
            if (qGray(row[x]) < 128) {
                ink = true;
                bounds |= QRect(x, y, 1, 1);
            }
        *inkRows += ink;
    }
    return bounds;
}
} // namespace

class TestProtocolPrint : public QObject {
    Q_OBJECT
private slots:
    void init() { resetFakes(); }
    void cleanup() { printing::setPrinters(&test::noPrinter()); }

    void everyWrappedLineIsPrintedInOrder()
    {
        TextPrinters printer;
        printing::setPrinters(&printer);
        ErrPtnr dlg;
        QStringList expected;
        reportAndRun(dlg, [&] {
            dlg.protocolButton(Print)->click();
            expected = protocol::wrapForPrint(protocolOf(dlg));
        });
        QCOMPARE(printer.orientation, QPageLayout::Portrait);
        QCOMPARE(printer.pages.size(), size_t(1));
        QStringList printed;
        for (const QString& line : printer.pages[0])
            printed << line;
        // Every line is there, in order, the closing blank one too.
        QCOMPARE(expected.last(), QStringLiteral(" "));
        QCOMPARE(printed.size(), expected.size());
        for (qsizetype i = 0; i < printed.size(); ++i)
            if (!expected[i].contains(QStringLiteral("Datum/Uhrzeit")))
                QCOMPARE(printed[i].trimmed(), expected[i].remove(QLatin1Char('\t')).trimmed()); // a tab is a gap
    }

    void aFullPageContinuesOnTheNextOne()
    {
        // A strip of 105 x 40 mm at 100 dpi holds a few lines: the protocol needs several sheets.
        ImagePrinters printer(QSizeF(105, 40), 100, QPointF(20, 20));
        printing::setPrinters(&printer);
        ErrPtnr dlg;
        reportAndRun(dlg, [&] { dlg.protocolButton(Print)->click(); });
        QCOMPARE(printer.jobs, 1);
        QVERIFY(printer.pages.size() >= 2);
        for (const QImage& page : printer.pages) {
            int rows = 0;
            const QRect ink = inkBounds(page, &rows);
            // The last sheet may carry only the closing blank line.
            if (&page == &printer.pages.back() && rows == 0)
                continue;
            QVERIFY(rows > 0);
            // Nothing lands in the margin the printer cannot reach.
            QVERIFY(ink.top() >= 20 && ink.left() >= 20);
            QVERIFY(ink.bottom() < page.height() - 20);
        }
    }

    void aPortraitA4SheetCarriesTheWholeProtocol()
    {
        ImagePrinters printer(QSizeF(210, 297), 150, QPointF(30, 30));
        printing::setPrinters(&printer);
        ErrPtnr dlg;
        reportAndRun(dlg, [&] { dlg.protocolButton(Print)->click(); });
        QCOMPARE(printer.pages.size(), size_t(1));
        QCOMPARE(printer.pages[0].size(), QSize(1240, 1754));
        int rows = 0;
        const QRect ink = inkBounds(printer.pages[0], &rows);
        // 18 printed lines of text in the application font at 150 dpi: well over a hundred rows of ink,
        // all in the upper part of the sheet.
        QVERIFY2(rows > 100, qPrintable(QString::number(rows)));
        QVERIFY(ink.bottom() < printer.pages[0].height() / 2);
    }

    void noPrinterIsReportedInTheDialogWhichStaysUsable()
    {
        ImagePrinters none(QSizeF(210, 297), 150, QPointF(30, 30));
        none.available = false;
        for (printing::Printers* printers : std::initializer_list<printing::Printers*>{&none, nullptr}) {
            printing::setPrinters(printers);
            if (!printers && printing::printers().geometry())
                continue; // this machine has a printer after all
            QFile::remove(app::programFolder() + app::programName() + QStringLiteral(".ERR"));
            ErrPtnr dlg;
            const int16_t answer = reportAndRun(dlg, [&] {
                dlg.protocolButton(Print)->click();
                QVERIFY(dlg.isVisible());
                QVERIFY(dlg.comment().contains(QStringLiteral("482 (Printer error)")));
                QVERIFY(dlg.comment().contains(QStringLiteral("PrintProtocol")));
                dlg.protocolButton(Save)->click();
                QCOMPARE(dialogs().messages.size(), size_t(1));
                dlg.continueButton(Cancel)->click();
            });
            QCOMPARE(answer, int16_t(Cancel));
            QVERIFY(reporter().reports.empty());
            resetFakes();
        }
        QCOMPARE(none.jobs, 0);
    }
};

ZORBEL_TEST_MAIN(TestProtocolPrint)
#include "test_protocolprint.moc"
