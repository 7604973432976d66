#pragma once
// One mechanism for the forms' key-press handlers. A KeyPreview previews
// every key press that reaches a widget of its form - under X that is the
// focus widget, which for an editable drop-down list is the list itself, not
// its line edit - turns it into the character a key-press handler sees
// (typedCharacter) and hands it to the form's handler, which may drop it.
// Keys that type no character (arrows, Delete, Tab, Ctrl or Alt chords) go
// on to the control untouched.
//
// It also does for the form what the dialog manager of a desktop does:
// Escape presses the form's cancel button, and Enter on a focused push
// button presses that button.
//
// A watched control gets a call before and after each key it receives (the
// key is delivered in between), so a box can apply what one keystroke did -
// typing plus completion - as one change.

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace kelmora {

// The character a key press types for a key-press handler: '\r' for Enter,
// '\b' for Backspace, '\x1b' for Escape, else the printable text of the key;
// nothing for keys that type no character, including Tab, Delete ("\x7f"
// under X) and chords with Ctrl, Alt or Meta.
std::optional<QChar> typedCharacter(const QKeyEvent &e);

class KeyPreview : public QObject {
    Q_OBJECT
public:
    // handler(target, key): target is the widget the key was sent to; set
    // key to QChar() to drop it. Runs guarded: an error drops the key.
    using Handler = std::function<void(QWidget *target, QChar &key)>;

    // Installs itself on the application; the form owns it.
    KeyPreview(QWidget *form, Handler handler);
    ~KeyPreview() override;

    void setCancelButton(QAbstractButton *button) { m_cancel = button; }
    void watch(QWidget *target, std::function<void()> beforeKey, std::function<void()> afterKey);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Watched {
        QWidget *target;
        std::function<void()> before, after;
    };
    bool isFirstDelivery(QWidget *receiver, QEvent *event);
    bool builtInKey(QWidget *receiver, const QKeyEvent &key);
    bool deliverWatched(QWidget *receiver, QKeyEvent *event);

    QWidget *m_form;
    Handler m_handler;
    QAbstractButton *m_cancel = nullptr;
    QList<Watched> m_watched;
    struct KeySignature {
        const QEvent *event = nullptr;
        int key = 0;
        quint64 timestamp = 0;
        bool operator==(const KeySignature &) const = default;
    };
    KeySignature m_last;
    QPointer<QWidget> m_lastReceiver;
    const QEvent *m_delivering = nullptr;
};

} // namespace kelmora
