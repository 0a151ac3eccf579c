#pragma once
#include <QRect>

namespace zorbel {

// Moves a window rectangle just far enough to lie wholly inside the available area, so a
// position stored on another screen (or a negative default top) never leaves a window
// out of the child's reach. A window larger than the area keeps its top left corner inside.
QRect keepOnArea(const QRect& window, const QRect& area);

} // namespace zorbel
