// The printer layer: the image stand-in behaves as paper does, the real one reports a missing
// printer, and the margins come from the printer's own geometry and resolution.
#include "TestSupport.h"
#include "core/Backends.h"
#include "core/Drucker.h"
#include "core/Printer.h"
#include <QPainter>
#include <QPrinterInfo>

using namespace zorbel;
using namespace zorbel::printing;

namespace {
bool machineHasPrinter() { return !QPrinterInfo::defaultPrinter().isNull(); }

struct Margins {
    int16_t left = 0, right = 0, top = 0, bottom = 0;
    bool operator==(const Margins&) const = default;
};

Margins marginsOf(Printers& p, Margins start = {})
{
    setPrinters(&p);
    Drucker::GetPrinterMargins(start.left, start.right, start.top, start.bottom);
    setPrinters(&test::noPrinter());
    return start;
}

char* toString(const Margins& m)
{
    return QTest::toString(QStringLiteral("%1, %2, %3, %4").arg(m.left).arg(m.right).arg(m.top).arg(m.bottom));
}
} // namespace

class TestPrinter : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetFakes(); }

    void theDesktopsPrintingAndSoundAreFoundWhereTheBuildPutsThem()
    {
        // Missing, they would leave a silent program that reports every printer as absent.
        QVERIFY(backends::resolve(backends::Print, "zorbel_printers"));
        QVERIFY(backends::resolve(backends::Sound, "zorbel_sound_device"));
        QVERIFY(!backends::resolve(backends::Sound, "no_such_function"));
    }

    void imagePagesPutTheOriginAtThePrintableCorner()
    {
        ImagePrinters printer(QSizeF(100, 50), 254, QPointF(30, 20)); // 10 dots per mm
        auto job = printer.begin(QPageLayout::Portrait);
        QCOMPARE(job->resolution(), 254);
        QCOMPARE(job->printableRect(), QRectF(0, 0, 940, 460));
        QPainter& p = job->painter();
        p.fillRect(QRectF(-10, -10, 15, 15), Qt::black); // partly off the printable area
        p.fillRect(QRectF(935, 100, 10, 1), Qt::black);   // across its right edge
        job->end();
        QCOMPARE(printer.jobs, 1);
        QCOMPARE(printer.pages.size(), size_t(1));
        const QImage& page = printer.pages[0];
        QCOMPARE(page.size(), QSize(1000, 500));
        QCOMPARE(page.dotsPerMeterX(), 10000);
        QCOMPARE(page.pixelColor(30, 20), QColor(Qt::black));
        QCOMPARE(page.pixelColor(34, 24), QColor(Qt::black));
        QCOMPARE(page.pixelColor(35, 25), QColor(Qt::white));
        // The unreachable margin stays blank.
        QCOMPARE(page.pixelColor(29, 20), QColor(Qt::white));
        QCOMPARE(page.pixelColor(30, 19), QColor(Qt::white));
        QCOMPARE(page.pixelColor(969, 120), QColor(Qt::black));
        QCOMPARE(page.pixelColor(970, 120), QColor(Qt::white));
    }

    void newPagesKeepThePaintersStateAndOnlySentJobsKeepPages()
    {
        ImagePrinters printer(QSizeF(100, 50), 254, QPointF(0, 0), QSizeF(90, 40));
        {
            auto dropped = printer.begin(QPageLayout::Portrait);
            dropped->painter().fillRect(0, 0, 5, 5, Qt::black);
        }
        QCOMPARE(printer.jobs, 1);
        QVERIFY(printer.pages.empty());

        auto job = printer.begin(QPageLayout::Portrait);
        QPainter& p = job->painter();
        p.setBrush(Qt::black);
        p.setPen(Qt::NoPen);
        p.translate(100, 100);
        QVERIFY(job->newPage());
        QVERIFY(job->newPage());
        QCOMPARE(&job->painter(), &p);
        p.drawRect(0, 0, 10, 10);
        job->end();
        QCOMPARE(printer.jobs, 2);
        QCOMPARE(printer.pages.size(), size_t(3));
        QCOMPARE(printer.pages[0].pixelColor(105, 105), QColor(Qt::white));
        QCOMPARE(printer.pages[2].pixelColor(105, 105), QColor(Qt::black));
        QCOMPARE(job->printableRect(), QRectF(0, 0, 900, 400));
    }

    void landscapeTurnsTheSheet()
    {
        ImagePrinters printer(QSizeF(100, 50), 254, QPointF(30, 20));
        auto job = printer.begin(QPageLayout::Landscape);
        QCOMPARE(printer.lastOrientation, QPageLayout::Landscape);
        QCOMPARE(job->printableRect(), QRectF(0, 0, 460, 940));
        job->painter().fillRect(0, 0, 1, 1, Qt::black);
        job->end();
        QCOMPARE(printer.pages[0].size(), QSize(500, 1000));
        QCOMPARE(printer.pages[0].pixelColor(20, 30), QColor(Qt::black));

        // Unequal edges turn a quarter anticlockwise: the sheet's bottom edge (80 dots) becomes
        // the page's left one and its left edge (30 dots) the page's top one.
        ImagePrinters uneven(QSizeF(100, 50), 254, QPointF(30, 20), QSizeF(90, 40));
        auto turned = uneven.begin(QPageLayout::Landscape);
        QCOMPARE(turned->printableRect(), QRectF(0, 0, 400, 900));
        QCOMPARE(turned->pageRect(), QRectF(-80, -30, 500, 1000));
        turned->painter().fillRect(0, 0, 1, 1, Qt::black);
        turned->end();
        QCOMPARE(uneven.pages[0].pixelColor(80, 30), QColor(Qt::black));
        QCOMPARE(uneven.pages[0].pixelColor(79, 30), QColor(Qt::white));
    }

    void withoutAPrinterJobsFailWithPrinterError()
    {
        ImagePrinters none(QSizeF(210, 297), 300, QPointF(59, 59));
        none.available = false;
        QVERIFY(!none.geometry());
        try {
            none.begin(QPageLayout::Portrait);
            QFAIL("a job began without a printer");
        } catch (const VbError& e) {
            QCOMPARE(e.number(), 482);
            QCOMPARE(e.description(), QStringLiteral("Printer error"));
        }
        QCOMPARE(none.jobs, 0);

        if (machineHasPrinter())
            QSKIP("this machine has a default printer");
        setPrinters(nullptr); // the real printer layer, on a machine without a printer
        QVERIFY(!printers().geometry());
        try {
            printers().begin(QPageLayout::Portrait);
            QFAIL("a job began without a printer");
        } catch (const VbError& e) {
            QCOMPARE(e.number(), 482);
        }
        setPrinters(&test::noPrinter());
    }

    void marginsFromThePrintersGeometry()
    {
        ImagePrinters a4(QSizeF(210, 297), 300, QPointF(59, 59), QSizeF(200, 287));
        QCOMPARE(marginsOf(a4), (Margins{6, 6, 6, 6}));

        // No offset: one millimetre near, the rest cut to whole millimetres plus one far.
        ImagePrinters edge(QSizeF(210, 297), 300, QPointF(0, 0), QSizeF(203.5, 290.2));
        QCOMPARE(marginsOf(edge), (Margins{1, 7, 1, 7}));

        // The printer's own resolution counts: 59 dots at 600 dpi are 2.5 mm, not 5.
        ImagePrinters fine(QSizeF(210, 297), 600, QPointF(59, 59), QSizeF(200, 287));
        QCOMPARE(marginsOf(fine), (Margins{3, 9, 3, 9}));
    }

    void marginRoundingGoesHalfToEvenAndTheFarSideUsesTheRoundedNear()
    {
        // At 254 dpi 25 dots are 2.5 mm (rounds to 2) and 35 dots 3.5 mm (rounds to 4).
        ImagePrinters printer(QSizeF(210, 297), 254, QPointF(25, 35), QSizeF(205, 290));
        // right = floor(210 - 205 - 2) + 1 = 4; bottom = floor(297 - 290 - 4) + 1 = 4
        QCOMPARE(marginsOf(printer), (Margins{3, 4, 5, 4}));
    }

    void aFailureMeasuringTheVerticalPairKeepsTheHorizontalOne()
    {
        ImagePrinters tall(QSizeF(210, 297), 300, QPointF(59, 1e9), QSizeF(200, 287));
        QCOMPARE(marginsOf(tall, {7, 8, 9, 10}), (Margins{6, 6, 9, 10}));
    }

    void aRefusingQueueSendsNothing()
    {
        ImagePrinters printer(QSizeF(100, 50), 254, QPointF(0, 0));
        printer.refuses = true;
        auto job = printer.begin(QPageLayout::Portrait);
        try {
            job->end();
            QFAIL("a refused job was sent");
        } catch (const VbError& e) {
            QCOMPARE(e.number(), 482);
        }
        QVERIFY(printer.pages.empty());
    }

    void withoutAPrinterTheMarginsStayAsTheyAre()
    {
        ImagePrinters none(QSizeF(210, 297), 300, QPointF(59, 59));
        none.available = false;
        QCOMPARE(marginsOf(none), Margins{});
        QCOMPARE(marginsOf(none, {7, 8, 9, 10}), (Margins{7, 8, 9, 10}));
        if (!machineHasPrinter()) {
            Margins m{7, 8, 9, 10};
            Drucker::GetPrinterMargins(m.left, m.right, m.top, m.bottom);
            QCOMPARE(m, (Margins{7, 8, 9, 10}));
        }
        QVERIFY(test::reporter().reports.empty());
    }
};

ZORBEL_TEST_MAIN(TestPrinter)
#include "test_printer.moc"
