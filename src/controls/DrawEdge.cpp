#include "DrawEdge.h"
#include <QPainter>

namespace zorbel {

namespace {
// One border one pixel wide: top and left first, then bottom and right, which own the two
// corners where they meet.
void border(QPainter& p, int left, int top, int right, int bottom, const QColor& lt, const QColor& rb)
{
    if (right <= left || bottom <= top)
        return;
    p.fillRect(QRect(left, top, right - left, 1), lt);
    p.fillRect(QRect(left, top, 1, bottom - top), lt);
    p.fillRect(QRect(left, bottom - 1, right - left, 1), rb);
    p.fillRect(QRect(right - 1, top, 1, bottom - top), rb);
}
} // namespace

void drawEdge(QPainter& painter, int left, int top, int right, int bottom, int edgeFlags)
{
    int inset = 0;
    if (edgeFlags & edge::RaisedOuter)
        border(painter, left, top, right, bottom, edge::light(), edge::darkShadow());
    else if (edgeFlags & edge::SunkenOuter)
        border(painter, left, top, right, bottom, edge::shadow(), edge::highlight());
    if (edgeFlags & (edge::RaisedOuter | edge::SunkenOuter))
        inset = 1;
    if (edgeFlags & edge::RaisedInner)
        border(painter, left + inset, top + inset, right - inset, bottom - inset, edge::highlight(), edge::shadow());
    else if (edgeFlags & edge::SunkenInner)
        border(painter, left + inset, top + inset, right - inset, bottom - inset, edge::darkShadow(), edge::light());
}

} // namespace zorbel
