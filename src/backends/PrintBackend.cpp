// The default printer, in a module of its own: Qt's printing, CUPS and the libraries behind it
// (TLS, Kerberos, service discovery) are loaded with the first print, not at start.
#include "core/AppInfo.h"
#include "core/Printer.h"
#include "core/failure/VbError.h"
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#ifdef ZORBEL_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace {
using namespace zorbel;
using namespace zorbel::printing;

#ifdef ZORBEL_HAVE_CUPS
// Whether the print server answers within a few seconds. Qt's calls, and libcups's behind them,
// wait for minutes on a server that takes the connection and never replies (a school's network
// printer out of reach, say); the start and the Print button must not.
bool serverAnswers()
{
    constexpr int kBoundMs = 3000;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kBoundMs, nullptr);
    if (!http)
        return false; // no server, or none in reach: no printer either way
    httpSetTimeout(http, kBoundMs / 1000.0, [](http_t*, void*) { return 0; }, nullptr);
    // Any answer will do, also "there is no default printer".
    ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    const bool answered = response != nullptr;
    ippDelete(response);
    httpClose(http);
    return answered;
}
#else
bool serverAnswers() { return true; }
#endif

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
        if (!serverAnswers())
            throw VbError(vberr::PrinterError);
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            throw VbError(vberr::PrinterError);
        return std::make_unique<RealJob>(info, orientation);
    }

    std::optional<PrinterGeometry> geometry() override
    {
        // Not measured counts as failed: the margins stay 0.
        if (!serverAnswers())
            return std::nullopt;
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
} // namespace

extern "C" Q_DECL_EXPORT Printers* zorbel_printers()
{
    static RealPrinters printers;
    return &printers;
}
