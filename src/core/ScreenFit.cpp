#include "ScreenFit.h"
#include <algorithm>

namespace zorbel {

namespace {
// The shift along one axis, for a window from lo to hi (inclusive), a needed part from nlo to
// nhi, a grip of g and an area from alo to ahi.
int shift(int lo, int hi, int nlo, int nhi, bool anyNeeded, int g, int alo, int ahi)
{
    g = std::clamp(g, 0, std::min(hi - lo + 1, ahi - alo + 1));
    int d = 0;
    if (g > 0) {
        if (lo + g - 1 > ahi)
            d = ahi - (lo + g - 1);
        else if (hi - g + 1 < alo)
            d = alo - (hi - g + 1);
    }
    if (anyNeeded) {
        if (nhi + d > ahi)
            d = ahi - nhi;
        if (nlo + d < alo)
            d = alo - nlo;
    }
    return d;
}
} // namespace

QRect keepUsable(const QRect& window, const QRect& area, const QRect& needed, QSize grip)
{
    if (area.isEmpty())
        return window;
    const QRect n = needed.translated(window.topLeft());
    const bool anyNeeded = !needed.isEmpty();
    const int dx = shift(window.left(), window.right(), n.left(), n.right(), anyNeeded, grip.width(), area.left(), area.right());
    const int dy = shift(window.top(), window.bottom(), n.top(), n.bottom(), anyNeeded, grip.height(), area.top(), area.bottom());
    return window.translated(dx, dy);
}

} // namespace zorbel
