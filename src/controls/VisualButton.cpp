#include "VisualButton.h"
#include "ButtonGlyphs.h"
#include "core/Fonts.h"
#include <QPainter>
#include <QPainterPath>

namespace zorbel {

VisualButton::VisualButton(int index, int code, const QString& windowsFont, double points, QWidget* parent)
    : QAbstractButton(parent), m_index(index)
{
    setText(glyphs::forCode(code, windowsFont));
    setFont(fonts::font(windowsFont, points, windowsFont.compare(QLatin1String("Arial Black"), Qt::CaseInsensitive) == 0));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit clickedIndex(m_index); });
}

void VisualButton::setForeColor(const QColor& c)
{
    m_fore = c;
    update();
}

void VisualButton::enterEvent(QEnterEvent* e)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(e);
}

void VisualButton::leaveEvent(QEvent* e)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(e);
}

void VisualButton::paintEvent(QPaintEvent*)
{
    // The face depends only on these: drawn once for each look, then copied. Moving the panel
    // as the window is resized repaints every button, and stroking the outlines is the costly part.
    const FaceKey key{size(), devicePixelRatioF(), isEnabled(), isDown() && isEnabled(), m_hover, m_fore.rgba(), text(),
                      font().key()};
    if (m_face.isNull() || !(key == m_faceKey)) {
        m_face = QImage((QSizeF(size()) * key.dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
        m_face.setDevicePixelRatio(key.dpr);
        m_face.fill(Qt::transparent);
        QPainter face(&m_face);
        drawFace(face, key.down);
        m_faceKey = key;
    }
    QPainter p(this);
    p.drawImage(QPointF(0, 0), m_face);
}

void VisualButton::drawFace(QPainter& p, bool down) const
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(r, 5, 5);
    const QPainterPath bevel = QPainterPath(shape).translated(0.5, 0.5).intersected(shape);

    QColor face = faceColor();
    if (!isEnabled())
        face = face.lighter(108);
    else if (down)
        face = face.darker(112);
    else if (m_hover)
        face = face.lighter(110);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, down ? face.darker(106) : face.lighter(115));
    g.setColorAt(1, down ? face.lighter(104) : face.darker(110));
    p.fillPath(shape, g);

    // A raised bevel: light at the top left, dark at the bottom right; reversed while pressed.
    const QColor light(255, 246, 220), dark(64, 64, 0);
    p.setPen(QPen(down ? dark : light, 1));
    p.drawPath(bevel);
    p.setPen(QPen(QColor(90, 70, 30, isEnabled() ? 255 : 120), 1));
    p.drawPath(shape);

    QColor glyph = isEnabled() ? m_fore : QColor(150, 132, 96);
    p.setPen(glyph);
    p.setFont(font());
    QRectF textRect = r;
    if (down)
        textRect.translate(1, 1);
    if (!isEnabled()) {
        // Engraved look for disabled glyphs.
        p.setPen(QColor(255, 240, 205));
        p.drawText(textRect.translated(1, 1), Qt::AlignCenter, text());
        p.setPen(glyph);
    }
    p.drawText(textRect, Qt::AlignCenter, text());
}

} // namespace zorbel
