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
    endStroke();
    m_image = scaledFrom(m_base, size);
    if (!m_undoBase.isNull())
        m_undo = scaledFrom(m_undoBase, size);
}

QRect Canvas::segment(QPoint from, QPoint to)
{
    drawingChanged();
    m_pos = to;
    const int grow = m_width / 2 + 2;
    const QRect dirty = QRect(from, to).normalized().adjusted(-grow, -grow, grow, grow).intersected(m_image.rect());
    if (dirty.isEmpty())
        return dirty;
    if (m_coverage.size() != m_image.size()) {
        m_coverage = QImage(m_image.size(), QImage::Format_Grayscale8);
        m_coverage.fill(0);
        m_strokeBase = m_image;
    }
    // This segment alone, as coverage, in a piece the size of its dirty area.
    QImage piece(dirty.size(), QImage::Format_Alpha8);
    piece.fill(Qt::transparent);
    {
        QPainter p(&piece);
        p.translate(-dirty.topLeft());
        p.setRenderHint(QPainter::Antialiasing, m_width > 1);
        p.setPen(QPen(Qt::black, m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (from == to)
            p.drawPoint(to);
        else
            p.drawLine(from, to);
    }
    const QRgb colour = m_color.rgb();
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    for (int y = 0; y < dirty.height(); ++y) {
        const uchar* in = piece.constScanLine(y);
        uchar* cover = m_coverage.scanLine(dirty.top() + y) + dirty.left();
        const auto* base = reinterpret_cast<const QRgb*>(m_strokeBase.constScanLine(dirty.top() + y)) + dirty.left();
        auto* out = reinterpret_cast<QRgb*>(m_image.scanLine(dirty.top() + y)) + dirty.left();
        for (int x = 0; x < dirty.width(); ++x) {
            if (in[x] <= cover[x])
                continue;
            const int a = cover[x] = in[x];
            const QRgb under = base[x];
            out[x] = qRgb((r * a + qRed(under) * (255 - a) + 127) / 255, (g * a + qGreen(under) * (255 - a) + 127) / 255,
                          (b * a + qBlue(under) * (255 - a) + 127) / 255);
        }
    }
    return dirty;
}

QRect Canvas::dot(QPoint p)
{
    endStroke(); // a new stroke starts
    return segment(p, p);
}
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
    endStroke();
    drawingChanged();
    m_image = m_undo.size() == m_image.size() ? m_undo : scaledFrom(m_undo, m_image.size());
}

void Canvas::clear()
{
    endStroke();
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
    endStroke();
    drawingChanged();
    QPainter p(&m_image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(m_image.rect(), picture);
}

} // namespace zorbel
