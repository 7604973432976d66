#include "KeyPreview.h"

#include "Guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace kelmora {

std::optional<QChar> typedCharacter(const QKeyEvent &e)
{
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QLatin1Char('\r');
    case Qt::Key_Backspace: return QLatin1Char('\b');
    case Qt::Key_Escape: return QChar(0x1b);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return std::nullopt;
    default: break;
    }
    // Shift and AltGr (which X reports as a plain level shift) type letters.
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const QString text = e.text();
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control)
        return std::nullopt;
    return text.at(0);
}

KeyPreview::KeyPreview(QWidget *form, Handler handler)
    : QObject(form), m_form(form), m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

void KeyPreview::watch(QWidget *target, std::function<void()> beforeKey, std::function<void()> afterKey)
{
    m_watched.append({target, std::move(beforeKey), std::move(afterKey)});
}

bool KeyPreview::isFirstDelivery(QWidget *receiver, QEvent *event)
{
    // A key the receiver ignores travels on to its parents as the same event;
    // only its first receiver counts. (Test tools reuse one event object for
    // a run of keys, so the address alone does not tell.)
    const auto *key = static_cast<const QKeyEvent *>(event);
    const KeySignature now{event, key->key(), key->timestamp()};
    const bool propagated = now == m_last && m_lastReceiver && receiver != m_lastReceiver &&
                            receiver->isAncestorOf(m_lastReceiver);
    if (propagated)
        return false;
    m_last = now;
    m_lastReceiver = receiver;
    return true;
}

bool KeyPreview::builtInKey(QWidget *receiver, const QKeyEvent &key)
{
    if (key.modifiers() & ~Qt::KeypadModifier)
        return false;
    if (key.key() == Qt::Key_Escape && m_cancel && m_cancel->isEnabled()) {
        m_cancel->click();
        return true;
    }
    auto *button = qobject_cast<QPushButton *>(receiver);
    if (button && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)) {
        button->click();
        return true;
    }
    return false;
}

bool KeyPreview::deliverWatched(QWidget *receiver, QKeyEvent *event)
{
    const auto it = std::find_if(m_watched.cbegin(), m_watched.cend(),
                                 [receiver](const Watched &w) { return w.target == receiver; });
    // Chords are the frame's shortcuts or the control's own; they pass as they are.
    if (it == m_watched.cend() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const Watched w = *it;
    guarded([&] { w.before(); });
    QPointer<QWidget> alive(receiver);
    m_delivering = event;
    QCoreApplication::sendEvent(receiver, event);
    m_delivering = nullptr;
    if (alive)
        guarded([&] { w.after(); });
    return true;
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || event == m_delivering)
        return false;
    auto *receiver = qobject_cast<QWidget *>(watched);
    if (!receiver || receiver->window() != m_form || !isFirstDelivery(receiver, event))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (const std::optional<QChar> typed = typedCharacter(*key)) {
        QChar c = *typed;
        if (!guarded([&] { m_handler(receiver, c); }) || c.isNull())
            return true;
    }
    if (builtInKey(receiver, *key))
        return true;
    return deliverWatched(receiver, key);
}

} // namespace kelmora
