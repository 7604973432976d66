#pragma once
// The frame's shortcut keys, handled before the focused control sees the key.
// Installed on the application: for a key of the table whose receiver lies in
// the frame, it claims the shortcut override (so Qt's editor cannot undo or
// copy by itself), runs the update step, and on the key press triggers the menu
// item when it and every menu above it are enabled. Either way the key is
// swallowed: a disabled shortcut does nothing and never reaches the editor.

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QWidget;

namespace kelmora {

// True when item is enabled and so is every menu on the way to it.
bool itemAndMenusEnabled(const QAction *item);

class ShortcutFilter : public QObject {
    Q_OBJECT
public:
    // beforeJudging runs the actions' update step before a shortcut is judged.
    ShortcutFilter(QWidget *frame, std::function<void()> beforeJudging, QObject *parent = nullptr);
    void add(const QKeySequence &keys, QAction *item);
    // The item bound to a key combination, or nullptr.
    QAction *itemFor(QKeyCombination keys) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToFrame(QObject *watched) const;

    struct Entry {
        QKeyCombination keys;
        QPointer<QAction> item;
    };
    QPointer<QWidget> m_frame;
    std::function<void()> m_beforeJudging;
    QList<Entry> m_entries;
};

} // namespace kelmora
