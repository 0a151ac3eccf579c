#include "DrawLayout.h"
#include "core/Basic.h"
#include "core/failure/VbError.h"

namespace zorbel {

DrawLayout DrawLayout::compute(QSizeF client, QSizeF plateSize, double copyrightHeight)
{
    const double W = client.width();
    const double H = client.height();
    DrawLayout l;
    l.m = basic::CInt(W * 0.03);
    const double m = l.m;
    l.panel = QRectF(QPointF(m, H - 1.5 * m - kPanelSize.height()), kPanelSize);

    const double width = W - 3 * m - kPanelSize.width();
    if (width < 0)
        throw VbError(vberr::InvalidPropertyValue);

    // Name plates: shrunk to 60 % of the width when they would reach into the left 35 %.
    l.plateSize = plateSize;
    l.platesStretched = W * 0.35 > W - 2 * m - plateSize.width();
    if (l.platesStretched) {
        l.plateSize = QSizeF(W * 0.6, W * 0.069);
        l.plateLeft = W - m - l.plateSize.width();
    } else {
        l.plateLeft = W - 2 * m - l.plateSize.width();
    }
    l.plateTop = m;

    QSizeF canvas(width, 0.75 * width);
    // A window wider than 4 : 3 would push the canvas over the plates and out at the top:
    // keep it whole, below the plates and their margin, still 4 : 3 and right-aligned.
    const double lowestTop = m + l.plateSize.height() + 0.6 * m;
    if (H - canvas.height() - m < lowestTop) {
        const double height = std::max(0.0, H - m - lowestTop);
        canvas = QSizeF(height / 0.75, height);
    }
    l.canvas = QRectF(QPointF(W - canvas.width() - m, H - canvas.height() - m), canvas);
    l.frame = l.canvas.adjusted(-0.3 * m, -0.3 * m, 0.3 * m, 0.3 * m);
    l.copyright = QPointF(m, l.panel.top() - 0.3 * m - copyrightHeight);
    return l;
}

} // namespace zorbel
