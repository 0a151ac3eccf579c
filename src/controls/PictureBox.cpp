#include "PictureBox.h"
#include "core/Resources.h"
#include <QMouseEvent>
#include <QPainter>

namespace zorbel {

PictureBox::PictureBox(int resourceId, int index, QWidget* parent)
    : QWidget(parent), m_resourceId(resourceId), m_index(index)
{
}

void PictureBox::paintEvent(QPaintEvent*)
{
    const qreal dpr = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.deviceIndependentSize().toSize() != size() || m_cache.devicePixelRatio() != dpr) {
        // Vector pictures are drawn only at a size larger than any before; smaller ones (the name
        // plates shrink with the window) stretch that raster, which costs a fraction of drawing.
        if (!m_source.isNull() && m_source.devicePixelRatio() != dpr)
            m_source = QImage();
        const QSize pixels = (QSizeF(size()) * dpr).toSize();
        const QSize drawn = m_source.size();
        try {
            if (m_source.isNull() || pixels.width() > drawn.width() || pixels.height() > drawn.height())
                m_source = res::LoadResPicture(m_resourceId, size().expandedTo((QSizeF(drawn) / dpr).toSize()), dpr);
            if (m_source.size() == pixels) {
                m_cache = m_source;
            } else {
                m_cache = m_source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                m_cache.setDevicePixelRatio(dpr);
            }
        } catch (...) {
            m_cache = QImage(); // a missing picture leaves the place empty rather than failing every repaint
        }
    }
    QPainter p(this);
    if (!m_cache.isNull())
        p.drawImage(0, 0, m_cache);
    if (m_marked) {
        // A bright ring between two dark lines: it shows on every flag's colours, and the flag
        // keeps its dark edge.
        p.setPen(QPen(QColor(64, 32, 0), 1));
        p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        p.setPen(QPen(QColor(255, 214, 0), 2));
        p.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
        p.setPen(QPen(QColor(64, 32, 0), 1));
        p.drawRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5));
    }
}

void PictureBox::setMarked(bool marked)
{
    if (m_marked == marked)
        return;
    m_marked = marked;
    update();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked(m_index);
}

} // namespace zorbel
