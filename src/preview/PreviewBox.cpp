#include "PreviewBox.h"
#include "PreviewLayout.h"
#include <QPainter>

namespace zorbel {

using PreviewLayout::kPreviewBorder;

GridOverlay::GridOverlay(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GridOverlay::setStretch(QSize size)
{
    m_stretch = size;
    update();
}

void GridOverlay::paintEvent(QPaintEvent*)
{
    // Drawn when first shown: the grid is off until the child asks for it.
    if (m_grid.isNull())
        m_grid = PreviewLayout::gridPicture();
    QPainter p(this);
    // No smoothing: halved, the 2-pixel lines stay one crisp pixel instead of a faint blur.
    p.drawImage(QRect(QPoint(0, 0), m_stretch.isEmpty() ? size() : m_stretch), m_grid);
}

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent), m_grid(new GridOverlay(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_grid->hide();
}

QSize PreviewBox::innerSize() const
{
    return size().shrunkBy(QMargins(kPreviewBorder, kPreviewBorder, kPreviewBorder, kPreviewBorder));
}

void PreviewBox::setOuterSize(QSize outer)
{
    resize(outer);
    const qreal dpr = devicePixelRatioF();
    QImage next((QSizeF(innerSize()) * dpr).toSize(), QImage::Format_RGB32);
    next.setDevicePixelRatio(dpr);
    next.fill(Qt::white);
    if (!m_image.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, m_image);
    }
    m_image = next;
    m_grid->setGeometry(QRect(QPoint(kPreviewBorder, kPreviewBorder), innerSize()));
    update();
}

void PreviewBox::paintPicture(const QImage& picture, const QRect& target)
{
    if (m_image.isNull())
        setOuterSize(size());
    QPainter p(&m_image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, picture);
    p.end();
    update();
}

QImage PreviewBox::shown() const
{
    if (m_image.devicePixelRatio() == 1.0)
        return m_image;
    return m_image.scaled(innerSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void PreviewBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width(), h = height();
    // The classic sunken border: grey and dark grey at the top and left, white and light grey below.
    p.setPen(QColor(160, 160, 160));
    p.drawLine(0, 0, w - 2, 0);
    p.drawLine(0, 0, 0, h - 2);
    p.setPen(QColor(105, 105, 105));
    p.drawLine(1, 1, w - 3, 1);
    p.drawLine(1, 1, 1, h - 3);
    p.setPen(Qt::white);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.setPen(QColor(227, 227, 227));
    p.drawLine(1, h - 2, w - 2, h - 2);
    p.drawLine(w - 2, 1, w - 2, h - 2);
    p.drawImage(kPreviewBorder, kPreviewBorder, m_image);
}

} // namespace zorbel
