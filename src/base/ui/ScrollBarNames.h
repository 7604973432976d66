#pragma once
// The Turkish names a screen reader gives a scrolling area's two bars.

#include <QAbstractScrollArea>
#include <QScrollBar>

namespace kelmora {

inline void nameScrollBars(QAbstractScrollArea *area)
{
    area->horizontalScrollBar()->setAccessibleName(QStringLiteral("Yatay Kaydırma Çubuğu"));
    area->verticalScrollBar()->setAccessibleName(QStringLiteral("Dikey Kaydırma Çubuğu"));
}

} // namespace kelmora
