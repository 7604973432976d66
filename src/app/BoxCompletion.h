#pragma once
// Completion in the formatting bar's drop-down boxes: the text a key left in
// a box is looked up as the beginning of a list item, without regard to case;
// the first such item in list order wins.

#include <QStringList>

namespace kelmora {

// Index of the first item that begins with text, or -1 (also for an empty text).
inline int completionIndex(const QStringList &items, const QString &text)
{
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace kelmora
