#include "Canvas.h"
#include <QPainter>
#include <cmath>
#include <cstring>

namespace zorbel {

namespace {
QImage white(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QImage scaledFrom(const QImage& source, QSize size, bool smooth = true)
{
    if (source.isNull())
        return white(size);
    if (source.size() == size)
        return source;
    // Through the painter: bilinear, several times faster than QImage::scaled; or pixel by
    // pixel, faster again, while a window edge is dragged.
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
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
    endStroke();
    m_image = scaledFrom(m_base, size, false);
    m_coarse = size != m_base.size();
    m_undoCurrent = false;
}

void Canvas::settle() const
{
    if (!m_coarse)
        return;
    m_image = scaledFrom(m_base, m_image.size());
    m_coarse = false;
}

bool Canvas::endResizing()
{
    const bool coarse = m_coarse;
    settle();
    m_base = QImage();
    return coarse;
}

void Canvas::endStroke()
{
    for (int y = m_strokeArea.top(); y <= m_strokeArea.bottom(); ++y)
        std::memset(m_coverage.scanLine(y) + m_strokeArea.left(), 0, size_t(m_strokeArea.width()));
    m_strokeArea = QRect();
    m_strokeBase = QImage();
}

void Canvas::cover(QPoint from, QPoint to, const QRect& area, QImage& piece) const
{
    if (m_width <= 1) {
        // A hairline has no soft edge: the painter's own one-pixel line.
        piece.fill(0);
        QPainter p(&piece);
        p.translate(-area.topLeft());
        p.setPen(QPen(Qt::black, m_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (from == to)
            p.drawPoint(to);
        else
            p.drawLine(from, to);
        return;
    }
    // A round-capped line is every point within half the pen's width of the segment. A pixel's
    // coverage falls from full to none over the pixel that straddles that edge, measured at its
    // centre: a ramp a painter's anti-aliasing matches to within a shade, drawn without one.
    const float ax = float(from.x()), ay = float(from.y());
    const float dx = float(to.x() - from.x()), dy = float(to.y() - from.y());
    const float length2 = dx * dx + dy * dy;
    const float half = float(m_width) / 2;
    const float inner2 = (half - 0.5f) * (half - 0.5f), outer2 = (half + 0.5f) * (half + 0.5f);
    for (int row = 0; row < area.height(); ++row) {
        uchar* out = piece.scanLine(row);
        const float py = float(area.top() + row) + 0.5f - ay;
        for (int col = 0; col < area.width(); ++col) {
            const float px = float(area.left() + col) + 0.5f - ax;
            float t = length2 > 0 ? (px * dx + py * dy) / length2 : 0;
            t = t < 0 ? 0 : (t > 1 ? 1 : t);
            const float ex = px - t * dx, ey = py - t * dy;
            const float d2 = ex * ex + ey * ey;
            if (d2 >= outer2)
                out[col] = 0;
            else if (d2 <= inner2)
                out[col] = 255;
            else
                out[col] = uchar((half + 0.5f - std::sqrt(d2)) * 255 + 0.5f);
        }
    }
}

QRect Canvas::segment(QPoint from, QPoint to)
{
    settle();
    const bool undoHoldsDrawing = m_undoCurrent && m_undo.size() == m_image.size();
    drawingChanged();
    m_pos = to;
    const int grow = m_width / 2 + 2;
    const QRect dirty = QRect(from, to).normalized().adjusted(-grow, -grow, grow, grow).intersected(m_image.rect());
    if (dirty.isEmpty())
        return dirty;
    if (m_strokeBase.isNull()) {
        if (m_coverage.size() != m_image.size()) {
            m_coverage = QImage(m_image.size(), QImage::Format_Grayscale8);
            m_coverage.fill(0);
        }
        // Just after an undo copy, the copy is the drawing before the stroke: the drawing itself
        // then needs no copy of its own before it is drawn on.
        m_strokeBase = undoHoldsDrawing ? m_undo : m_image;
    }
    m_strokeArea |= dirty;
    // This segment alone, as coverage, in a piece the size of its dirty area. A mouse move is a
    // few pixels at a time: pieces up to a small size share one buffer, larger ones are their own.
    constexpr int kKept = 128;
    QImage own;
    if (dirty.width() > kKept || dirty.height() > kKept)
        own = QImage(dirty.size(), QImage::Format_Alpha8);
    else if (m_piece.isNull())
        m_piece = QImage(kKept, kKept, QImage::Format_Alpha8);
    QImage& buffer = own.isNull() ? m_piece : own;
    QImage piece(buffer.bits(), dirty.width(), dirty.height(), buffer.bytesPerLine(), QImage::Format_Alpha8);
    cover(from, to, dirty, piece);
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
    settle();
    endStroke(); // the stroke before is over, and lets go of the copy it started from
    if (m_undo.constBits() != m_image.constBits() && m_undo.size() == m_image.size() && m_undo.format() == m_image.format())
        // Over the old copy: its memory is in use already, where a new one is faulted in page by page.
        std::memcpy(m_undo.bits(), m_image.constBits(), size_t(m_image.sizeInBytes()));
    else
        m_undo = m_image;
    m_undoCurrent = true;
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
    settle();
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
    settle(); // a picture with transparent parts shows the drawing under it
    endStroke();
    drawingChanged();
    QPainter p(&m_image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(m_image.rect(), picture);
}

} // namespace zorbel
