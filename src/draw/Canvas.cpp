#include "Canvas.h"
#include <QPainter>

namespace zorbel {

namespace {
QImage white(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QImage scaledFrom(const QImage& source, QSize size)
{
    if (source.isNull())
        return white(size);
    if (source.size() == size)
        return source;
    // Bilinear through the painter: several times faster than QImage::scaled, which matters
    // while a window edge is dragged.
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(img.rect(), source);
    return img;
}
} // namespace

void Canvas::resize(QSize size)
{
    if (size.isEmpty() || size == m_image.size())
        return;
    if (m_base.isNull())
        m_base = m_image;
    if (m_undoBase.isNull())
        m_undoBase = m_undo;
    m_image = scaledFrom(m_base, size);
    if (!m_undoBase.isNull())
        m_undo = scaledFrom(m_undoBase, size);
}

QRect Canvas::segment(QPoint from, QPoint to)
{
    drawingChanged();
    QPainter p(&m_image);
    p.setRenderHint(QPainter::Antialiasing, m_width > 1);
    p.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (from == to)
        p.drawPoint(to);
    else
        p.drawLine(from, to);
    m_pos = to;
    const int grow = m_width / 2 + 2;
    return QRect(from, to).normalized().adjusted(-grow, -grow, grow, grow).intersected(m_image.rect());
}

QRect Canvas::dot(QPoint p) { return segment(p, p); }
QRect Canvas::lineTo(QPoint p) { return segment(m_pos, p); }

void Canvas::takeUndoCopy()
{
    m_undo = m_image;
    m_undoBase = QImage();
}

void Canvas::restoreUndoCopy()
{
    if (m_undo.isNull())
        return;
    drawingChanged();
    m_image = m_undo.size() == m_image.size() ? m_undo : scaledFrom(m_undo, m_image.size());
}

void Canvas::clear()
{
    drawingChanged();
    m_image = white(m_image.size());
}

bool Canvas::isBlank() const
{
    const QImage img = m_image.format() == QImage::Format_RGB32 ? m_image : m_image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF)
                return false;
    }
    return true;
}

void Canvas::paintPicture(const QImage& picture)
{
    drawingChanged();
    QPainter p(&m_image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(m_image.rect(), picture);
}

} // namespace zorbel
