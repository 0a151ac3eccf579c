#pragma once
#include <QPointF>
#include <QRectF>

namespace zorbel {

// Where the printed drawing and its footer line go on a landscape sheet. Plain arithmetic in the
// printer's device pixels, so tests check it without a printer.
struct PrintLayout {
    QRectF picture;
    QPointF footer; // the footer line's baseline start

    // The printer's unprintable margins as measured on the portrait sheet, in millimetres.
    struct Margins {
        double left = 0, right = 0, top = 0, bottom = 0;
    };

    // sheet: the whole landscape sheet in the painter's coordinates; the print system turns a
    // landscape page a quarter anticlockwise onto the portrait sheet, so the page's top edge lies
    // on the sheet's left one. The picture keeps the drawing's shape, is as large as fits inside
    // the margins with the footer line under it, and the two are centred between the margins.
    static PrintLayout compute(const QRectF& sheet, double dotsPerMm, const Margins& portrait, QSizeF drawing,
                               double footerHeight, double footerAscent);
};

} // namespace zorbel
