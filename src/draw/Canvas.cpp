#include "Canvas.h"
#include <QPainter>
#include <cmath>
#include <cstring>
#ifdef Q_OS_UNIX
#include <sys/mman.h>
#endif

namespace zorbel {

namespace {
// The undo copy's unit: a stroke across the canvas touches a few dozen of these.
constexpr int kTile = 64;

int tilesAcross(QSize size) { return (size.width() + kTile - 1) / kTile; }
size_t tileCount(QSize size) { return size_t(tilesAcross(size)) * size_t((size.height() + kTile - 1) / kTile); }

// An image of zeros whose memory the system supplies page by page as it is first written: a
// buffer the size of the canvas costs only the parts a stroke uses. The allocator cannot promise
// that once it reuses freed memory.
QImage untouched(QSize size, QImage::Format format)
{
#ifdef Q_OS_UNIX
    const qsizetype perLine = (qsizetype(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const size_t bytes = size_t(perLine) * size_t(size.height());
    void* memory = bytes ? mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0) : MAP_FAILED;
    if (memory != MAP_FAILED) {
        struct Mapping {
            void* memory;
            size_t bytes;
        };
        return QImage(
            static_cast<uchar*>(memory), size.width(), size.height(), perLine, format,
            [](void* info) {
                auto* m = static_cast<Mapping*>(info);
                munmap(m->memory, m->bytes);
                delete m;
            },
            new Mapping{memory, bytes});
    }
#endif
    QImage img(size, format);
    img.fill(0);
    return img;
}

QImage white(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// One tile of two images of the same size and 32-bit format.
void copyTile(const QImage& from, QImage& to, const QRect& tile)
{
    const size_t bytes = size_t(tile.width()) * 4;
    for (int y = tile.top(); y <= tile.bottom(); ++y)
        std::memcpy(to.scanLine(y) + tile.left() * 4, from.constScanLine(y) + tile.left() * 4, bytes);
}

QImage scaledFrom(const QImage& source, QSize size)
{
    if (source.isNull())
        return white(size);
    if (source.size() == size)
        return source;
    // Through the painter: bilinear, several times faster than QImage::scaled.
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
    endStroke();
    completeUndo(); // the undo tiles still in the drawing are about to go
    m_undoCurrent = false;
    if (m_base.isNull() || size == m_base.size()) {
        m_image = scaledFrom(m_base, size);
        m_coarse = false;
        return;
    }
    // Pixel by pixel, several times faster again. The coarse pictures of one resizing are drawn
    // into the same memory, in use already after the first: a new image at each size would be
    // faulted in page by page.
    m_image = QImage();
    // Room for every size up to the drawing's own and an eighth beyond the largest asked for:
    // memory not yet written costs nothing, memory taken anew costs a fault per page.
    if (m_scratch.sizeInBytes() < qsizetype(size.width()) * size.height() * 4)
        m_scratch = untouched((size * 9 / 8).expandedTo(m_base.size()).expandedTo(m_scratch.size()), QImage::Format_RGB32);
    m_image = QImage(m_scratch.bits(), size.width(), size.height(), qsizetype(size.width()) * 4, QImage::Format_RGB32);
    QPainter p(&m_image);
    p.drawImage(m_image.rect(), m_base);
    m_coarse = true;
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
    m_scratch = QImage();
    return coarse;
}

void Canvas::endStroke()
{
    for (int y = m_strokeArea.top(); y <= m_strokeArea.bottom(); ++y)
        std::memset(m_coverage.scanLine(y) + m_strokeArea.left(), 0, size_t(m_strokeArea.width()));
    m_strokeArea = QRect();
    m_strokeBase = QImage();
    m_strokeStarted = m_strokeOnUndo = false;
}

void Canvas::saveForUndo(const QRect& area)
{
    if (m_undo.size() != m_image.size() || m_saved.size() != tileCount(m_image.size()))
        return;
    const QRect r = area.intersected(m_image.rect());
    if (r.isEmpty())
        return;
    const int across = tilesAcross(m_image.size());
    for (int ty = r.top() / kTile; ty <= r.bottom() / kTile; ++ty)
        for (int tx = r.left() / kTile; tx <= r.right() / kTile; ++tx) {
            const size_t i = size_t(ty) * size_t(across) + size_t(tx);
            if (m_saved[i])
                continue;
            m_saved[i] = true;
            copyTile(m_image, m_undo, QRect(tx * kTile, ty * kTile, kTile, kTile).intersected(m_image.rect()));
        }
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
    if (!m_strokeStarted) {
        m_strokeStarted = true;
        if (m_coverage.size() != m_image.size())
            m_coverage = untouched(m_image.size(), QImage::Format_Grayscale8);
        // Just after an undo copy, the copy is the drawing before the stroke: the drawing itself
        // then needs no copy of its own before it is drawn on.
        m_strokeOnUndo = undoHoldsDrawing;
        if (!m_strokeOnUndo)
            m_strokeBase = m_image;
    }
    saveForUndo(dirty);
    const QImage& strokeBase = m_strokeOnUndo ? m_undo : m_strokeBase;
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
        const auto* base = reinterpret_cast<const QRgb*>(strokeBase.constScanLine(dirty.top() + y)) + dirty.left();
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
    endStroke(); // the stroke before is over
    if (m_undo.size() != m_image.size() || m_undo.format() != m_image.format())
        m_undo = untouched(m_image.size(), m_image.format());
    // No tile is saved yet: the drawing itself is the copy until a tile is about to change.
    m_saved.assign(tileCount(m_image.size()), false);
    m_undoCurrent = true;
}

void Canvas::restoreUndoCopy()
{
    if (m_undo.isNull())
        return;
    endStroke();
    drawingChanged();
    if (m_undo.size() != m_image.size()) {
        m_image = scaledFrom(m_undo, m_image.size()); // whole: it was completed when the size changed
        return;
    }
    const int across = tilesAcross(m_image.size());
    for (size_t i = 0; i < m_saved.size(); ++i)
        if (m_saved[i])
            copyTile(m_undo, m_image,
                      QRect(int(i % size_t(across)) * kTile, int(i / size_t(across)) * kTile, kTile, kTile).intersected(m_image.rect()));
}

void Canvas::clear()
{
    endStroke();
    completeUndo();
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
    completeUndo();
    drawingChanged();
    QPainter p(&m_image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(m_image.rect(), picture);
}

} // namespace zorbel
