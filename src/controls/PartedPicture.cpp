#include "PartedPicture.h"
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

bool PartedPicture::ensure(QSizeF window, qreal dpr, bool exact)
{
    const bool fits = window.width() <= m_drawn.width() && window.height() <= m_drawn.height();
    if (!isNull() && dpr == m_dpr && (exact ? window == m_drawn : fits))
        return false;
    const QSizeF drawn = isNull() || dpr != m_dpr || exact ? window : window.expandedTo(m_drawn);
    const QSizeF device = drawn * dpr;
    const QSizeF units = m_layout.units;
    const double sx = device.width() / units.width(), sy = device.height() / units.height();
    const res::VectorPicture picture(m_layout.id);

    m_field = opaque(QSize(int(std::ceil(device.width() / kFieldScale)), int(std::ceil(device.height() / kFieldScale))));
    {
        QPainter p(&m_field);
        picture.draw(p, QRectF(QPointF(0, 0), device / kFieldScale));
    }
    const double e = m_layout.edgeUnits;
    const QRectF where[5] = {
        {0, 0, units.width(), e},
        {0, units.height() - e, units.width(), e},
        {0, e, e, units.height() - 2 * e},
        {units.width() - e, e, e, units.height() - 2 * e},
        m_layout.detailUnits,
    };
    for (size_t i = 0; i < m_parts.size(); ++i) {
        Part& part = m_parts[i];
        if (where[i].isEmpty()) {
            part = Part();
            continue;
        }
        // Whole device pixels, so the part's pixels meet the field's without a seam.
        const QRect pixels = QRectF(where[i].x() * sx, where[i].y() * sy, where[i].width() * sx, where[i].height() * sy)
                                 .toAlignedRect()
                                 .intersected(QRect(QPoint(0, 0), device.toSize()));
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

void PartedPicture::paint(QPainter& p, QSizeF window) const
{
    if (isNull())
        return;
    const QRectF whole(QPointF(0, 0), window);
    const bool exact = window == m_drawn;
    // Drawn at the window's size, the parts are copied pixel for pixel; otherwise stretched.
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(whole, m_field);
    p.setRenderHint(QPainter::SmoothPixmapTransform, !exact);
    const double sx = window.width() / m_layout.units.width(), sy = window.height() / m_layout.units.height();
    for (const Part& part : m_parts) {
        if (part.image.isNull())
            continue;
        const QRectF target(part.units.x() * sx, part.units.y() * sy, part.units.width() * sx, part.units.height() * sy);
        p.drawImage(target, part.image);
    }
}

} // namespace zorbel
