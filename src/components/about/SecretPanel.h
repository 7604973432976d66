#pragma once
// TSecretPanel: a panel whose lines scroll upwards while it is active.
//
// Inactive it is a plain panel in its colour. Active, it shows its glyph and
// its lines, which enter at the bottom of the text area and move up one pixel
// per Interval milliseconds (see ScrollLayout.h for the arithmetic). The steps
// run on a timer thread of the panel's own (SteppingThread), which draws the
// text area into an off-screen image under the panel's lock; the widget is
// painted on the user-interface thread from that image, under the same lock.
// Activation, deactivation and every setter belong to the user-interface
// thread; a panel that is not Cycled and has run out of lines hands its stop
// over to that thread. No step runs once SetActive(false) or the destructor
// has returned.

#include "AboutControls.h"
#include "ScrollLayout.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>

namespace kelmora::about {

class SteppingThread;
class UiSignal;

class TSecretPanel : public BevelPanel {
    Q_OBJECT
public:
    explicit TSecretPanel(QWidget *parent = nullptr);
    ~TSecretPanel() override;

    bool Active() const { return m_active; }
    void SetActive(bool active);
    QStringList Lines() const { return m_lines; }
    // New lines are laid out again and, on an active panel, start from 0.
    void SetLines(const QStringList &lines);
    QImage Glyph() const { return m_glyph; }
    // A glyph without an alpha channel loses the colour of its bottom-left pixel.
    void SetGlyph(const QImage &glyph);
    int Interval() const { return m_interval; }
    void SetInterval(int milliseconds);
    bool Cycled() const;
    void SetCycled(bool cycled);
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);
    // The lines' colour; the background is BevelPanel::color().
    void SetFontColor(const QColor &color);
    void SetColor(const QColor &color);

    // The current scroll position and layout, and a copy of the text area as
    // last drawn (null while inactive).
    int ScrollPos() const;
    ScrollLayout layout() const;
    QImage textImage() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void frameChanged() override;

private:
    struct Scene;

    void startThread();
    void relayout(bool restart);
    bool step(unsigned run);
    void onStepped();

    bool m_active = false;
    QStringList m_lines;
    QImage m_glyph;
    int m_interval = 50;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    QColor m_fontColor = Qt::black;
    QImage m_drawnGlyph;
    ScrollLayout m_layout; // the user-interface thread's copy
    QList<QPointer<QWidget>> m_hiddenChildren;
    unsigned m_run = 0; // counts activations; a stale stop hand-over is ignored

    // Shared with the timer thread: everything in the scene is read and
    // written under m_mutex only.
    mutable std::mutex m_mutex;
    std::unique_ptr<Scene> m_scene;
    std::atomic<bool> m_cycled{true};
    // The activation whose thread ran out of lines (0: none), for the UI thread to stop.
    std::atomic<unsigned> m_ranOut{0};
    // The timer thread never posts Qt events: it raises this, and the UI thread
    // repaints (or stops the panel) in its own time.
    UiSignal *m_stepped = nullptr;
    std::unique_ptr<SteppingThread> m_thread;
};

// The glyph as drawn: unchanged when it has an alpha channel, otherwise with
// every pixel of its bottom-left pixel's colour made transparent.
QImage transparentGlyph(const QImage &glyph);

} // namespace kelmora::about
