// The slider's values, positions, layout, painting and mouse handling.
#include "cpvSlider.h"
#include "DrawEdge.h"
#include "core/Basic.h"
#include "core/failure/Failure.h"
#include <QPainter>
#include <limits>

namespace zorbel {

namespace {
constexpr const char* kModule = "cpvSlider";

// Whole-number arithmetic overflows as the 32-bit runtime does.
int32_t checked(int64_t n)
{
    if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
        throw VbError(vberr::Overflow);
    return int32_t(n);
}

// Real division fails as the runtime's does: 0 / 0 overflows, anything else divided by 0 is error 11.
double divide(double a, double b)
{
    if (b == 0)
        throw VbError(a == 0 ? vberr::Overflow : vberr::DivisionByZero);
    return a / b;
}

// The layout, GetValue and the later painting steps never report: a failing step is skipped.
template <class Step>
void quietly(Step&& step)
{
    try {
        step();
    } catch (const VbError&) {
    }
}

int32_t R(double v) { return basic::CLng(v); }
} // namespace

cpvSlider::cpvSlider(int twipsPerPixelX, int twipsPerPixelY) : m_twipsX(twipsPerPixelX), m_twipsY(twipsPerPixelY) {}

// The track length: how far the thumb travels.
double cpvSlider::track(int32_t orientation) const
{
    return orientation == 0 ? double(m_client.width()) - m_thumbSize.width()
                            : double(m_client.height()) - m_thumbSize.height();
}

// How far along the track from the Min end the thumb stands for value.
double cpvSlider::along(int32_t value, int32_t orientation) const
{
    return divide(track(orientation) * double(checked(int64_t(value) - m_min)), double(m_range));
}

void cpvSlider::placeThumb(int32_t orientation)
{
    if (orientation == 0)
        m_left = float(along(m_value, 0));
    else if (orientation == 1)
        m_top = float(track(1) - along(m_value, 1));
}

void cpvSlider::setValue(int32_t v)
{
    Proc p("Value", kModule);
    p(10, [&] {
        if (v < m_min || v > m_max)
            throw VbError(vberr::InvalidPropertyValue);
    });
    p(20, [&] { m_value = v; });
    p(30, [&] {
        if (m_value == m_oldValue)
            p.leave();
    });
    p(40, [&] {
        if (!m_dragging)
            placeThumb(m_orientation);
    });
    p(50, [&] { Refresh(); });
    p(60, [&] { m_oldValue = m_value; });
    p(70, [&] { events.ValueChanged(); });
    p(80, [&] {
        if (m_value == m_max)
            events.ArrivedLast();
    });
    p(90, [&] {
        if (m_value == m_min)
            events.ArrivedFirst();
    });
}

void cpvSlider::setMax(int32_t m)
{
    Proc p("Max", kModule);
    bool accepted = false;
    p(10, [&] {
        if (m <= m_min)
            throw VbError(vberr::InvalidPropertyValue);
        accepted = true;
    });
    if (!accepted)
        return;
    p(20, [&] { m_max = m; });
    p(30, [&] { m_range = checked(int64_t(m_max) - m_min); });
}

void cpvSlider::setMin(int32_t m)
{
    Proc p("Min", kModule);
    bool accepted = false;
    p(10, [&] {
        if (m >= m_max)
            throw VbError(vberr::InvalidPropertyValue);
        accepted = true;
    });
    if (!accepted)
        return;
    p(20, [&] { m_min = m; });
    p(30, [&] { setValue(m); });
    p(40, [&] { m_range = checked(int64_t(m_max) - m_min); });
}

void cpvSlider::setOrientation(int32_t o)
{
    Proc p("Orientation", kModule);
    p(10, [&] { m_orientation = o; });
    p(20, [&] { ResetSlider(); });
    p(30, [&] { layout(); });
}

void cpvSlider::setRailStyle(int32_t style)
{
    m_railStyle = style;
    layout();
}

void cpvSlider::setSliderIcon(const QImage& picture)
{
    m_thumbPicture = picture;
    m_thumbSize = picture.isNull() ? QSize() : picture.deviceIndependentSize().toSize();
    layout();
}

void cpvSlider::setRailPicture(const QImage& picture)
{
    m_railPicture = picture;
    m_railSize = picture.isNull() ? QSize() : picture.deviceIndependentSize().toSize();
    layout();
}

void cpvSlider::setBackColor(uint32_t oleColor)
{
    m_backColor = oleColor;
    Refresh();
}

void cpvSlider::ResetSlider()
{
    Proc p("ResetSlider", kModule);
    p(10, [&] {
        if (m_orientation == 0) {
            m_left = 0;
        } else if (m_orientation == 1) {
            m_left = 0;
            m_top = float(m_client.height() - m_thumbSize.height());
        }
    });
}

int32_t cpvSlider::GetValue()
{
    int32_t v = 0;
    const double t = track(m_orientation);
    if (m_orientation == 0) {
        quietly([&] { v = R(divide(double(m_left), t) * m_range + m_min); });
        quietly([&] { m_left = float(along(v, 0)); });
    } else if (m_orientation == 1) {
        quietly([&] { v = R(divide(t - double(m_top), t) * m_range + m_min); });
        quietly([&] { m_top = float(t - along(v, 1)); });
    }
    return v;
}

void cpvSlider::UserControl_Resize(QSize clientPixels)
{
    if (clientPixels != m_client) {
        m_client = clientPixels;
        allocateSurface();
    }
    layout();
}

void cpvSlider::setDevicePixelRatio(qreal ratio)
{
    if (ratio == m_dpr)
        return;
    m_dpr = ratio;
    allocateSurface();
    Refresh();
}

void cpvSlider::allocateSurface()
{
    if (m_client.isEmpty()) {
        m_surface = QImage();
        return;
    }
    m_surface = QImage((QSizeF(m_client) * m_dpr).toSize(), QImage::Format_RGB32);
    m_surface.setDevicePixelRatio(m_dpr);
    m_surface.fill(paintColor(m_backColor));
}

void cpvSlider::layout()
{
    if (m_orientation != 0 && m_orientation != 1) {
        // An orientation the control does not know keeps its size and thumb where they are.
        Refresh();
        return;
    }
    const bool horizontal = m_orientation == 0;
    const bool pic = pictureMode();
    const int W = m_thumbSize.width(), H = m_thumbSize.height();
    const int RW = m_railSize.width(), RH = m_railSize.height();
    quietly([&] {
        QSize size = m_client;
        if (pic && horizontal)
            size = {RW + 4, H < RH ? RH : H};
        else if (pic)
            size = {W < RW ? RW : W, RH + 4};
        else if (horizontal)
            size = {m_client.width() == 0 ? W : m_client.width(), H};
        else
            size = {W, m_client.height() == 0 ? H : m_client.height()};
        if (size != m_client) {
            m_client = size;
            allocateSurface();
            host.resize(checked(int64_t(size.width()) * m_twipsX), checked(int64_t(size.height()) * m_twipsY));
        }
    });
    quietly([&] {
        if (horizontal)
            m_top = pic && H < RH ? float((RH - H) / 2.0) : 0.0f;
        else
            m_left = pic && W < RW ? float((RW - W) / 2.0) : 0.0f;
    });
    quietly([&] { placeThumb(m_orientation); });
    quietly([&] {
        RailRect r;
        if (horizontal) {
            r.top = R((H - 4) / 2.0);
            r.bottom = checked(int64_t(r.top) + 4);
            r.left = R(W / 2.0 - 2);
            r.right = R(double(m_client.width()) + r.left - W + 4);
        } else {
            r.top = R(H / 2.0 - 2);
            r.bottom = R(double(m_client.height()) + r.top - H + 4);
            r.left = R((W - 4) / 2.0);
            r.right = checked(int64_t(r.left) + 4);
        }
        m_railRect = r;
    });
    Refresh();
}

void cpvSlider::Refresh()
{
    Proc p("Refresh", kModule);
    QPainter painter;
    p(10, [&] {
        if (m_surface.isNull())
            return;
        m_surface.fill(paintColor(m_backColor));
        painter.begin(&m_surface);
    });
    if (p.left())
        return;
    if (painter.isActive()) {
        quietly([&] {
            if (m_railStyle == kPictureRail) {
                if (m_railPicture.isNull())
                    return;
                const QPointF at = m_orientation == 0
                    ? QPointF(2, (m_client.height() - m_railSize.height()) / 2.0)
                    : QPointF((m_client.width() - m_railSize.width()) / 2.0, 2);
                painter.drawImage(at, m_railPicture);
                return;
            }
            static constexpr int kEdges[] = {edge::Sunken, edge::Raised, edge::SunkenOuter, edge::RaisedInner, 0};
            if (m_railStyle >= 0 && m_railStyle <= 4)
                drawEdge(painter, m_railRect.left, m_railRect.top, m_railRect.right, m_railRect.bottom,
                         kEdges[m_railStyle]);
        });
        quietly([&] {
            if (!m_thumbPicture.isNull())
                painter.drawImage(QPointF(m_left, m_top), m_thumbPicture);
        });
        painter.end();
    }
    host.surfaceChanged();
}

void cpvSlider::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y)
{
    Proc p("UserControl_MouseDown", kModule);
    p(10, [&] {
        if (!m_enabled || button != mouse::Left)
            p.leave();
    });
    p(20, [&] { m_dragging = true; });
    p(30, [&] {
        const int W = m_thumbSize.width(), H = m_thumbSize.height();
        if (x >= m_left && x < m_left + W && y >= m_top && y < m_top + H) {
            m_grabX = x - m_left;
            m_grabY = y - m_top;
        } else {
            m_grabX = float(W / 2.0);
            m_grabY = float(H / 2.0);
            UserControl_MouseMove(button, shift, x, y);
        }
    });
    p(40, [&] {
        int16_t s = shift;
        events.MouseDown(s);
    });
}

void cpvSlider::UserControl_MouseMove(int16_t, int16_t, float x, float y)
{
    Proc p("UserControl_MouseMove", kModule);
    p(10, [&] {
        if (!m_dragging)
            p.leave();
    });
    p(20, [&] {
        if (m_orientation == 0) {
            const float pos = x - m_grabX;
            const float end = float(m_client.width() - m_thumbSize.width());
            m_left = pos < 0 ? 0.0f : pos > end ? end : pos;
        } else if (m_orientation == 1) {
            const float pos = y - m_grabY;
            const float end = float(m_client.height() - m_thumbSize.height());
            m_top = pos < 0 ? 0.0f : pos > end ? end : pos;
        }
    });
    p(30, [&] { setValue(GetValue()); });
}

void cpvSlider::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y)
{
    Proc p("UserControl_MouseUp", kModule);
    p(10, [&] {
        if (button == mouse::Left && x >= 0 && x < m_client.width() && y >= 0 && y < m_client.height())
            events.Click();
    });
    p(20, [&] {
        if (m_dragging) {
            int16_t s = shift;
            events.MouseUp(s);
        }
    });
    p(30, [&] { m_dragging = false; });
}

} // namespace zorbel
