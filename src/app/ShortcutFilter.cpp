#include "ShortcutFilter.h"

#include "base/ui/Guard.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace kelmora {

bool itemAndMenusEnabled(const QAction *item)
{
    if (!item || !item->isEnabled())
        return false;
    // Walk up through the menus holding the item: each one's own menu action
    // (its entry in the menu above or in the menu bar) must be enabled too.
    const QAction *current = item;
    for (int depth = 0; depth < 16; ++depth) {
        const QMenu *holder = nullptr;
        for (QObject *o : current->associatedObjects()) {
            if (auto *m = qobject_cast<QMenu *>(o)) {
                holder = m;
                break;
            }
        }
        if (!holder)
            return true;
        const QAction *menuAction = holder->menuAction();
        if (!menuAction->isEnabled())
            return false;
        current = menuAction;
    }
    return true;
}

ShortcutFilter::ShortcutFilter(QWidget *frame, std::function<void()> beforeJudging, QObject *parent)
    : QObject(parent), m_frame(frame), m_beforeJudging(std::move(beforeJudging))
{
}

void ShortcutFilter::add(const QKeySequence &keys, QAction *item)
{
    if (!keys.isEmpty())
        m_entries.append({keys[0], item});
}

QAction *ShortcutFilter::itemFor(QKeyCombination keys) const
{
    // Keypad digits and the like carry an extra modifier the table ignores.
    const QKeyCombination plain(keys.keyboardModifiers() & ~Qt::KeypadModifier, keys.key());
    for (const Entry &e : m_entries) {
        if (e.keys == plain)
            return e.item;
    }
    return nullptr;
}

bool ShortcutFilter::belongsToFrame(QObject *watched) const
{
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || !m_frame || w->window() != m_frame)
        return false;
    // While a modal dialog runs, the frame's keys belong to nobody.
    return QApplication::activeModalWidget() == nullptr;
}

bool ShortcutFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    QAction *item = itemFor(ke->keyCombination());
    if (!item || !belongsToFrame(watched))
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Claim the key: Qt's shortcut map and the editor's own handling stay out.
        event->accept();
        return true;
    }
    guarded([&] {
        if (m_beforeJudging)
            m_beforeJudging();
        if (itemAndMenusEnabled(item))
            item->trigger();
    });
    return true;
}

} // namespace kelmora
