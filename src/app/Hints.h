#pragma once
// Hints in the "short|long" form: the short part is a control's tooltip, the
// long part is what the hint line shows. A hint without a bar is both.
// A control's or menu item's hint is kept in its "hint" property.

#include <QString>
#include <QObject>
#include <QVariant>

#include <functional>

class QObject;
class QAction;
class QMenu;
class QWidget;

namespace kelmora {

inline QString shortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

inline QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

inline constexpr const char *kHintProperty = "hint";

void setHint(QObject *object, const QString &hint);
QString hintOf(const QObject *object);
// The hint of w or of its nearest enclosing widget that has one (long part).
QString hoverHint(const QWidget *w);

// Follows the mouse over the controls of one window and reports the hint of
// the control under it (or of its nearest enclosing control with a hint).
class HoverHintTracker : public QObject {
public:
    HoverHintTracker(QWidget *window, std::function<void(const QString &)> report, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<void(const QString &)> m_report;
};

// Follows the highlighted item of one menu, however it got highlighted: the
// mouse, the arrow keys, or the first item a menu opened from the keyboard
// highlights by itself (Qt signals only some of these). Reports the item's
// hint (long part) whenever the highlight moves to another item.
class MenuHighlightTracker : public QObject {
public:
    MenuHighlightTracker(QMenu *menu, std::function<void(const QString &)> report);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenu *m_menu;
    QAction *m_highlighted = nullptr;
    std::function<void(const QString &)> m_report;
};

} // namespace kelmora
