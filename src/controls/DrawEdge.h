#pragma once
#include <QColor>
#include <QRect>

class QPainter;

namespace zorbel {

// The classic 3-D edges, as the Windows function of that name draws them around a rectangle.
namespace edge {
constexpr int RaisedOuter = 1;
constexpr int SunkenOuter = 2;
constexpr int RaisedInner = 4;
constexpr int SunkenInner = 8;
constexpr int Raised = RaisedOuter | RaisedInner; // 5
constexpr int Sunken = SunkenOuter | SunkenInner; // 10

// The classic system colours of the 3-D look.
inline QColor highlight() { return {255, 255, 255}; }
inline QColor light() { return {223, 223, 223}; }
inline QColor shadow() { return {128, 128, 128}; }
inline QColor darkShadow() { return {64, 64, 64}; }
} // namespace edge

// Draws the borders named in edgeFlags on all four sides of the rectangle whose right and bottom
// are exclusive: the outer border on the outermost pixels, the inner one a pixel further in. A
// lone inner border is drawn on the outermost pixels. Edge 0 draws nothing.
void drawEdge(QPainter& painter, int left, int top, int right, int bottom, int edgeFlags);

} // namespace zorbel
