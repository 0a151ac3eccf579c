#include "Drucker.h"
#include "Basic.h"
#include "Printer.h"
#include "core/failure/VbError.h"
#include <cmath>

using namespace zorbel;

namespace Drucker {

namespace {
struct Pair {
    int16_t nearSide, farSide;
};

// The side where printing starts is the physical offset rounded; the other side is what is left
// of the sheet, cut down to whole millimetres. Both gain one millimetre of safety.
Pair margins(double offsetDots, double dpi, double pageMm, double printableMm)
{
    const int16_t nearSide = basic::CInt(offsetDots / (dpi / 25.4));
    const int16_t farSide = basic::CInt(std::floor(pageMm - printableMm - nearSide) + 1);
    return {basic::CInt(nearSide + 1.0), farSide};
}
} // namespace

void GetPrinterMargins(int16_t& left, int16_t& right, int16_t& top, int16_t& bottom)
{
    try {
        const auto g = printing::printers().geometry();
        if (!g || !(g->dpi > 0))
            return;
        // Stored pair by pair: a failure measuring the vertical pair keeps the horizontal one.
        const Pair x = margins(g->physicalOffsetDots.x(), g->dpi, g->pageMm.width(), g->printableMm.width());
        left = x.nearSide;
        right = x.farSide;
        const Pair y = margins(g->physicalOffsetDots.y(), g->dpi, g->pageMm.height(), g->printableMm.height());
        top = y.nearSide;
        bottom = y.farSide;
    } catch (const VbError&) {
        // No usable printer: the caller keeps its own margins.
    }
}

} // namespace Drucker
