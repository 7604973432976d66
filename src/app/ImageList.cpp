#include "ImageList.h"

#include <QString>

namespace kelmora {

QIcon imageListIcon(int index)
{
    if (index < 0 || index >= kImageCount)
        return QIcon();
    // The @2x picture next to each one is picked up for high-density screens.
    return QIcon(QStringLiteral(":/icons/%1.png").arg(index, 2, 10, QLatin1Char('0')));
}

} // namespace kelmora
