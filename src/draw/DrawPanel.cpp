#include "DrawPanel.h"
#include <QPainter>

namespace zorbel {

DrawPanel::DrawPanel(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void DrawPanel::setBackground(const QImage& piece)
{
    m_share = piece;
    update();
}

void DrawPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_share);
    const int w = width(), h = height();
    p.setPen(QColor(64, 64, 0));
    p.drawRect(2, 2, w - 3, h - 3);
    p.setPen(Qt::white);
    p.drawRect(0, 0, w - 3, h - 3);
}

} // namespace zorbel
