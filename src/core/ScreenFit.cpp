#include "ScreenFit.h"
#include <algorithm>

namespace zorbel {

QRect keepOnArea(const QRect& window, const QRect& area)
{
    if (area.isEmpty())
        return window;
    QRect r = window;
    // Right and bottom first, then left and top, so the top left corner wins when it must.
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

} // namespace zorbel
