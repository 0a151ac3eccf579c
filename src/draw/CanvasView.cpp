#include "CanvasView.h"
#include "Canvas.h"
#include <QMouseEvent>
#include <QPainter>

namespace zorbel {

CanvasView::CanvasView(Canvas& canvas, QWidget* parent) : QWidget(parent), m_canvas(canvas)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
}

void CanvasView::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QRect r = e->rect();
    p.drawImage(r.topLeft(), m_canvas.shown(), r);
}

void CanvasView::mousePressEvent(QMouseEvent* e)
{
    emit mouseDown(e->button(), e->modifiers(), e->position().toPoint());
}

void CanvasView::mouseMoveEvent(QMouseEvent* e)
{
    emit mouseMove(e->buttons(), e->modifiers(), e->position().toPoint());
}

void CanvasView::mouseReleaseEvent(QMouseEvent* e)
{
    emit mouseUp(e->button(), e->modifiers(), e->position().toPoint());
}

} // namespace zorbel
