#include "WindowArrange.h"

namespace kelmora {

QList<QRect> tileRects(const QRect &area, int n, TileDirection direction)
{
    QList<QRect> out;
    if (n <= 0 || area.isEmpty())
        return out;
    const bool vertical = direction == TileDirection::OneAboveOther;
    const int total = vertical ? area.height() : area.width();
    const int step = total / n;
    for (int i = 0; i < n; ++i) {
        const int from = i * step;
        const int extent = (i == n - 1) ? total - from : step;
        if (vertical)
            out.append(QRect(area.left(), area.top() + from, area.width(), extent));
        else
            out.append(QRect(area.left() + from, area.top(), extent, area.height()));
    }
    return out;
}

} // namespace kelmora
