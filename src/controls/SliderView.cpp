#include "SliderView.h"
#include "core/Basic.h"
#include <QMouseEvent>
#include <QPainter>

namespace zorbel {

namespace {
int16_t buttonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return mouse::Left;
    case Qt::RightButton:
        return mouse::Right;
    case Qt::MiddleButton:
        return mouse::Middle;
    default:
        return 0;
    }
}

int16_t buttonsOf(Qt::MouseButtons b)
{
    return int16_t((b & Qt::LeftButton ? mouse::Left : 0) | (b & Qt::RightButton ? mouse::Right : 0) |
                   (b & Qt::MiddleButton ? mouse::Middle : 0));
}

int wholeTwips(double t) { return std::max(1, int(basic::roundEven(t))); }
} // namespace

int16_t shiftState(Qt::KeyboardModifiers m)
{
    return int16_t((m & Qt::ShiftModifier ? mouse::Shift : 0) | (m & Qt::ControlModifier ? mouse::Ctrl : 0) |
                   (m & Qt::AltModifier ? mouse::Alt : 0));
}

SliderView::SliderView(QWidget* parent)
    : QWidget(parent), m_control(wholeTwips(basic::twipsPerPixelX()), wholeTwips(basic::twipsPerPixelY()))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    const int tx = wholeTwips(basic::twipsPerPixelX()), ty = wholeTwips(basic::twipsPerPixelY());
    m_control.host.resize = [this, tx, ty](int w, int h) { resize(w / tx, h / ty); };
    m_control.host.surfaceChanged = [this] { update(); };
}

void SliderView::layOut()
{
    m_control.setDevicePixelRatio(devicePixelRatioF());
    m_control.UserControl_Resize(size());
}

void SliderView::paintEvent(QPaintEvent*)
{
    // The control draws nothing for paint requests: it shows what its last Refresh left.
    QPainter p(this);
    p.drawImage(0, 0, m_control.surface());
}

void SliderView::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (e->size() != m_control.clientSize())
        m_control.UserControl_Resize(e->size());
}

void SliderView::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    m_control.setDevicePixelRatio(devicePixelRatioF());
    m_control.Refresh();
}

void SliderView::mousePressEvent(QMouseEvent* e)
{
    const QPointF at = e->position();
    m_control.UserControl_MouseDown(buttonOf(e->button()), shiftState(e->modifiers()), float(at.x()), float(at.y()));
}

void SliderView::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF at = e->position();
    m_control.UserControl_MouseMove(buttonsOf(e->buttons()), shiftState(e->modifiers()), float(at.x()), float(at.y()));
}

void SliderView::mouseReleaseEvent(QMouseEvent* e)
{
    const QPointF at = e->position();
    m_control.UserControl_MouseUp(buttonOf(e->button()), shiftState(e->modifiers()), float(at.x()), float(at.y()));
}

} // namespace zorbel
