#include "Printer.h"
#include "AppInfo.h"
#include "core/failure/VbError.h"
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPen>
#include <cmath>
#include <utility>
#ifdef ZORBEL_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace zorbel::printing {

namespace {
constexpr double kMmPerInch = 25.4;

// The printer's minimum margins are the part of the sheet it cannot reach: with them as the
// margins, the paint rectangle is the printable area and the painter's origin its corner.
void useWholePrintableArea(QPrinter& printer, QPageLayout::Orientation orientation)
{
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(orientation);
    layout.setMargins(layout.minimumMargins());
    printer.setPageLayout(layout);
}

class RealJob : public PrintJob {
public:
    explicit RealJob(const QPrinterInfo& info, QPageLayout::Orientation orientation)
        : m_printer(info, QPrinter::HighResolution)
    {
        useWholePrintableArea(m_printer, orientation);
        m_printer.setDocName(app::kTitle);
        if (!m_printer.isValid() || !m_painter.begin(&m_printer))
            throw VbError(vberr::PrinterError);
    }
    ~RealJob() override
    {
        // Dropped before end(): throw the pages away rather than print half a document.
        if (m_painter.isActive()) {
            m_printer.abort();
            m_painter.end();
        }
    }
    QPainter& painter() override { return m_painter; }
    QRectF printableRect() const override { return QRectF(QPointF(0, 0), m_printer.pageRect(QPrinter::DevicePixel).size()); }
    QRectF pageRect() const override
    {
        const QRectF paper = m_printer.paperRect(QPrinter::DevicePixel);
        const QRectF page = m_printer.pageRect(QPrinter::DevicePixel);
        return paper.translated(-page.topLeft());
    }
    int resolution() const override { return m_printer.resolution(); }
    bool newPage() override { return m_printer.newPage(); }
    void end() override
    {
        if (!m_painter.end() || m_printer.printerState() == QPrinter::Error)
            throw VbError(vberr::PrinterError);
#ifdef ZORBEL_HAVE_CUPS
        // Qt hands the document to CUPS as the painter ends, on this thread, and keeps no word of
        // the answer; libcups does: a queue that refuses jobs leaves its status here.
        if (m_printer.outputFormat() == QPrinter::NativeFormat && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
            throw VbError(vberr::PrinterError);
#endif
    }

private:
    QPrinter m_printer;
    QPainter m_painter;
};

class RealPrinters : public Printers {
public:
    std::unique_ptr<PrintJob> begin(QPageLayout::Orientation orientation) override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            throw VbError(vberr::PrinterError);
        return std::make_unique<RealJob>(info, orientation);
    }

    std::optional<PrinterGeometry> geometry() override
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return std::nullopt;
        QPrinter printer(info, QPrinter::HighResolution);
        if (!printer.isValid())
            return std::nullopt;
        useWholePrintableArea(printer, QPageLayout::Portrait);
        const QPageLayout layout = printer.pageLayout();
        const double dpi = printer.resolution();
        return PrinterGeometry{layout.fullRect(QPageLayout::Millimeter).size(),
                               layout.paintRect(QPageLayout::Millimeter).size(),
                               layout.paintRect(QPageLayout::Inch).topLeft() * dpi, dpi};
    }
};

Printers* g_printers = nullptr;

int dots(double mm, double dpi) { return int(std::lround(mm / kMmPerInch * dpi)); }

class ImageJob : public PrintJob {
public:
    ImageJob(const PrinterGeometry& g, std::vector<QImage>& sent, bool refuses)
        : m_geometry(g), m_sent(sent), m_refuses(refuses)
    {
        m_printable = QRectF(0, 0, dots(g.printableMm.width(), g.dpi), dots(g.printableMm.height(), g.dpi));
        startPage();
    }
    QPainter& painter() override { return m_painter; }
    QRectF printableRect() const override { return m_printable; }
    QRectF pageRect() const override
    {
        return QRectF(-m_geometry.physicalOffsetDots,
                      QSizeF(dots(m_geometry.pageMm.width(), m_geometry.dpi), dots(m_geometry.pageMm.height(), m_geometry.dpi)));
    }
    int resolution() const override { return int(std::lround(m_geometry.dpi)); }
    bool newPage() override
    {
        // A printer's painter keeps its state across pages; a new image's painter would not.
        const QPen pen = m_painter.pen();
        const QBrush brush = m_painter.brush();
        const QFont font = m_painter.font();
        const QTransform transform = m_painter.transform();
        m_painter.end();
        startPage();
        m_painter.setPen(pen);
        m_painter.setBrush(brush);
        m_painter.setFont(font);
        m_painter.setTransform(transform);
        return true;
    }
    void end() override
    {
        m_painter.end();
        if (m_refuses)
            throw VbError(vberr::PrinterError);
        for (QImage& page : m_pages)
            m_sent.push_back(std::move(page));
        m_pages.clear();
    }

private:
    void startPage()
    {
        QImage page(dots(m_geometry.pageMm.width(), m_geometry.dpi), dots(m_geometry.pageMm.height(), m_geometry.dpi),
                    QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(m_geometry.dpi / kMmPerInch * 1000));
        page.setDotsPerMeterX(dotsPerMeter);
        page.setDotsPerMeterY(dotsPerMeter);
        page.fill(Qt::white);
        m_pages.push_back(std::move(page));
        m_painter.begin(&m_pages.back());
        m_painter.translate(m_geometry.physicalOffsetDots);
        m_painter.setClipRect(m_printable);
    }

    PrinterGeometry m_geometry;
    std::vector<QImage>& m_sent;
    bool m_refuses;
    std::vector<QImage> m_pages;
    QRectF m_printable;
    QPainter m_painter;
};
} // namespace

Printers& printers()
{
    static RealPrinters real;
    return g_printers ? *g_printers : real;
}

void setPrinters(Printers* p) { g_printers = p; }

ImagePrinters::ImagePrinters(QSizeF pageMm, double dpi, QPointF physicalOffsetDots, QSizeF printableMm)
{
    if (printableMm.isEmpty()) {
        const double offsetMm = kMmPerInch / dpi;
        printableMm = QSizeF(pageMm.width() - 2 * physicalOffsetDots.x() * offsetMm,
                             pageMm.height() - 2 * physicalOffsetDots.y() * offsetMm);
    }
    m_geometry = {pageMm, printableMm, physicalOffsetDots, dpi};
}

std::unique_ptr<PrintJob> ImagePrinters::begin(QPageLayout::Orientation orientation)
{
    if (!available)
        throw VbError(vberr::PrinterError);
    ++jobs;
    lastOrientation = orientation;
    PrinterGeometry g = m_geometry;
    if (orientation == QPageLayout::Landscape) {
        const double bottomDots = dots(g.pageMm.height(), g.dpi) - dots(g.printableMm.height(), g.dpi)
            - g.physicalOffsetDots.y();
        g.physicalOffsetDots = QPointF(bottomDots, g.physicalOffsetDots.x());
        g.pageMm.transpose();
        g.printableMm.transpose();
    }
    return std::make_unique<ImageJob>(g, pages, refuses);
}

std::optional<PrinterGeometry> ImagePrinters::geometry()
{
    if (!available)
        return std::nullopt;
    return m_geometry;
}

} // namespace zorbel::printing
