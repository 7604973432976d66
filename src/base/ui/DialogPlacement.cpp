#include "DialogPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace kelmora {

QPoint placementOnMonitor(const QRect &monitor, const QSize &dialog)
{
    const int freeWidth = monitor.width() - dialog.width();
    const int freeHeight = monitor.height() - dialog.height();
    return {monitor.left() + freeWidth / 2, monitor.top() + freeHeight / 3};
}

namespace {

// Moves the dialog once more when it is shown: only then has its layout its
// final size.
class PlaceWhenShown : public QObject {
public:
    PlaceWhenShown(QWidget *dialog, QScreen *screen) : QObject(dialog), m_screen(screen) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *dialog = static_cast<QWidget *>(watched);
            dialog->move(placementOnMonitor(m_screen->availableGeometry(), dialog->frameGeometry().size()));
            deleteLater();
        }
        return false;
    }

private:
    QScreen *m_screen;
};

} // namespace

void placeOnActiveMonitor(QWidget *dialog)
{
    const QWidget *anchor = QApplication::activeWindow();
    if (!anchor && dialog->parentWidget())
        anchor = dialog->parentWidget()->window();
    QScreen *screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    dialog->ensurePolished();
    dialog->adjustSize();
    // Before it is first shown a window has no frame yet; its size stands in.
    dialog->move(placementOnMonitor(screen->availableGeometry(), dialog->frameGeometry().size()));
    dialog->installEventFilter(new PlaceWhenShown(dialog, screen));
}

} // namespace kelmora
