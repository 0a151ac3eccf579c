#pragma once
#include <QRect>

namespace zorbel {

// Moves a window rectangle the least distance that makes it usable on the available area: the
// part `needed` (in the window's own coordinates; may be empty) wholly on the area, and at least
// `grip` of the window (width and height) on it, to take hold of and drag. A window that is
// usable keeps its place, partly off the area or not, so a stored or default position stands
// wherever the child can still reach the window. Where not everything fits, the top left wins.
QRect keepUsable(const QRect& window, const QRect& area, const QRect& needed, QSize grip);

} // namespace zorbel
