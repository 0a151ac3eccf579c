#include "PaletteBox.h"
#include "controls/DrawEdge.h"
#include "controls/SliderView.h"
#include "core/Resources.h"
#include "core/failure/VbError.h"
#include <QMouseEvent>
#include <QPainter>

namespace zorbel {

PaletteBox::PaletteBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Drawn once at its own size in whole pixels: every swatch is one flat colour, so the
    // colour picked is exactly the colour seen.
    m_picture = res::LoadResPicture(res::id::Palette, res::pictureSize(res::id::Palette))
                    .convertToFormat(QImage::Format_RGB32);
}

QColor PaletteBox::pixelColor(QPoint at) const
{
    if (!m_picture.valid(at))
        throw VbError(vberr::InvalidCall);
    return m_picture.pixelColor(at);
}

void PaletteBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(30, 26, 20));
    drawEdge(p, 0, 0, width(), height(), edge::Sunken);
    p.drawImage(QRect(kBorder, kBorder, width() - 2 * kBorder, height() - 2 * kBorder), m_picture);
}

void PaletteBox::mousePressEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint() - QPoint(kBorder, kBorder);
    if (!m_picture.valid(at)) {
        e->ignore();
        return;
    }
    int button = e->button() == Qt::LeftButton ? 1 : e->button() == Qt::RightButton ? 2 : 4;
    emit mouseDown(button, shiftState(e->modifiers()), at, e->globalPosition().toPoint());
}

} // namespace zorbel
