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
        try {
            m_cache = res::LoadResPicture(m_resourceId, size(), dpr);
        } catch (...) {
            m_cache = QImage(); // a missing picture leaves the place empty rather than failing every repaint
        }
    }
    if (!m_cache.isNull())
        QPainter(this).drawImage(0, 0, m_cache);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked(m_index);
}

} // namespace zorbel
