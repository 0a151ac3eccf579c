#pragma once
#include <QImage>
#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

// The default printer, behind an interface so that tests print into images instead.
namespace zorbel::printing {

// What the default printer can do with a sheet in portrait orientation.
struct PrinterGeometry {
    QSizeF pageMm;              // the whole sheet
    QSizeF printableMm;         // the part the printer can reach
    QPointF physicalOffsetDots; // from the sheet's top-left corner to the printable area's
    double dpi = 0;             // the printer's own resolution
};

// One document on its way to the printer.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // Draws in device pixels; (0,0) is the top-left of the printable area.
    virtual QPainter& painter() = 0;
    // The printable area in device pixels, origin (0,0).
    virtual QRectF printableRect() const = 0;
    // The whole sheet in the same coordinates: it starts left of and above the printable area.
    // A job that does not know its sheet answers with the printable area.
    virtual QRectF pageRect() const { return printableRect(); }
    // Dots per inch of the device.
    virtual int resolution() const = 0;
    virtual bool newPage() = 0;
    // Sends the document; throws VbError(482) when it fails or the print system refuses the job.
    virtual void end() = 0;
};

class Printers {
public:
    virtual ~Printers() = default;
    // Throws VbError(vberr::PrinterError) when there is no default printer.
    virtual std::unique_ptr<PrintJob> begin(QPageLayout::Orientation orientation) = 0;
    // nullopt without a printer.
    virtual std::optional<PrinterGeometry> geometry() = 0;
};

Printers& printers();
// Tests install a stand-in; nullptr restores the real one.
void setPrinters(Printers* p);

// A stand-in for tests: every page is a white QImage of the sheet at the given resolution;
// the painter's origin is moved to the printable area and clipped to it, as paper is. A
// landscape page is the portrait sheet turned a quarter anticlockwise, as CUPS turns it: its
// top edge is the sheet's left one and its left edge the sheet's bottom one.
class ImagePrinters : public Printers {
public:
    // An empty printable size leaves the same offset on the right and bottom as on the left and top.
    ImagePrinters(QSizeF pageMm, double dpi, QPointF physicalOffsetDots, QSizeF printableMm = {});

    std::unique_ptr<PrintJob> begin(QPageLayout::Orientation orientation) override;
    std::optional<PrinterGeometry> geometry() override;

    // false acts as a machine without a printer.
    bool available = true;
    // true acts as a queue that does not accept jobs: sending fails and no page is kept.
    bool refuses = false;
    // Every job begun, whether it was sent or not.
    int jobs = 0;
    QPageLayout::Orientation lastOrientation = QPageLayout::Portrait;
    // The pages of every job sent, in order; pages of a job dropped without end() are not kept.
    std::vector<QImage> pages;

private:
    PrinterGeometry m_geometry;
};

} // namespace zorbel::printing
