#include "DrawBackground.h"
#include "core/Resources.h"
#include <cmath>

namespace zorbel {

namespace {
QImage opaque(QSize size)
{
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}
} // namespace

bool DrawBackground::ensure(QSizeF window, qreal dpr)
{
    if (!isNull() && dpr == m_dpr && window.width() <= m_drawn.width() && window.height() <= m_drawn.height())
        return false;
    const QSizeF drawn = isNull() || dpr != m_dpr ? window : window.expandedTo(m_drawn);
    const QSizeF device = drawn * dpr;
    const double sx = device.width() / kUnits.width(), sy = device.height() / kUnits.height();
    const res::VectorPicture picture(res::id::DrawBackground);

    m_field = opaque(QSize(int(std::ceil(device.width() / kFieldScale)), int(std::ceil(device.height() / kFieldScale))));
    {
        QPainter p(&m_field);
        picture.draw(p, QRectF(QPointF(0, 0), device / kFieldScale));
    }
    const double e = kEdgeUnits;
    const QRectF units[5] = {
        {0, 0, kUnits.width(), e},
        {0, kUnits.height() - e, kUnits.width(), e},
        {0, e, e, kUnits.height() - 2 * e},
        {kUnits.width() - e, e, e, kUnits.height() - 2 * e},
        {QPointF(0, 0), kPencilUnits},
    };
    for (size_t i = 0; i < m_parts.size(); ++i) {
        // Whole device pixels, so the part's pixels meet the field's without a seam.
        const QRect pixels = QRectF(units[i].x() * sx, units[i].y() * sy, units[i].width() * sx, units[i].height() * sy)
                                 .toAlignedRect()
                                 .intersected(QRect(QPoint(0, 0), device.toSize()));
        Part& part = m_parts[i];
        part.image = opaque(pixels.size());
        part.units = QRectF(pixels.x() / sx, pixels.y() / sy, pixels.width() / sx, pixels.height() / sy);
        QPainter p(&part.image);
        p.translate(-pixels.topLeft());
        picture.draw(p, QRectF(QPointF(0, 0), device));
    }
    m_drawn = drawn;
    m_dpr = dpr;
    return true;
}

void DrawBackground::paint(QPainter& p, QSizeF window) const
{
    if (isNull())
        return;
    const QRectF whole(QPointF(0, 0), window);
    const bool exact = window == m_drawn;
    // Drawn at the window's size, the parts are copied pixel for pixel; otherwise stretched.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(whole, m_field);
    p.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
    const double sx = window.width() / kUnits.width(), sy = window.height() / kUnits.height();
    for (const Part& part : m_parts) {
        const QRectF target(part.units.x() * sx, part.units.y() * sy, part.units.width() * sx, part.units.height() * sy);
        p.drawImage(target, part.image);
    }
}

} // namespace zorbel
