#include "PrintLayout.h"
#include <algorithm>

namespace zorbel {

PrintLayout PrintLayout::compute(const QRectF& sheet, double dotsPerMm, const Margins& portrait, QSizeF drawing,
                                 double footerHeight, double footerAscent)
{
    // Turned a quarter anticlockwise: left <- bottom, top <- left, right <- top, bottom <- right.
    const QRectF area = sheet.adjusted(portrait.bottom * dotsPerMm, portrait.left * dotsPerMm,
                                       -portrait.top * dotsPerMm, -portrait.right * dotsPerMm);
    const double gap = footerHeight * 0.4;
    const QSizeF room(std::max(1.0, area.width()), std::max(1.0, area.height() - gap - footerHeight));
    const QSizeF size = drawing.isEmpty() ? room : drawing.scaled(room, Qt::KeepAspectRatio);
    const double blockHeight = size.height() + gap + footerHeight;
    PrintLayout l;
    l.picture = QRectF(QPointF(area.left() + (area.width() - size.width()) / 2,
                               area.top() + (area.height() - blockHeight) / 2),
                       size);
    l.footer = QPointF(l.picture.left(), l.picture.bottom() + gap + footerAscent);
    return l;
}

} // namespace zorbel
