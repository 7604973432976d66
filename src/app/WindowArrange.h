#pragma once
// Geometry of the window arrangement commands: tiling one above the other
// (each the full width) or side by side (each the full height).

#include <QList>
#include <QRect>

namespace kelmora {

enum class TileDirection { OneAboveOther, SideBySide };

// n rectangles covering area without overlap; the remainder of an uneven
// division goes to the last window.
QList<QRect> tileRects(const QRect &area, int n, TileDirection direction);

} // namespace kelmora
