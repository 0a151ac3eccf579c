#include "Printer.h"
#include "Backends.h"
#include "core/failure/VbError.h"
#include <QPainter>
#include <QPen>
#include <cmath>
#include <utility>

namespace zorbel::printing {

namespace {
constexpr double kMmPerInch = 25.4;

// Without the print module the machine acts as one without a printer.
class NoPrinters : public Printers {
public:
    std::unique_ptr<PrintJob> begin(QPageLayout::Orientation) override { throw VbError(vberr::PrinterError); }
    std::optional<PrinterGeometry> geometry() override { return std::nullopt; }
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
    if (g_printers)
        return *g_printers;
    static Printers* const real = backends::create<Printers>(backends::Print, "zorbel_printers");
    static NoPrinters none;
    return real ? *real : none;
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
