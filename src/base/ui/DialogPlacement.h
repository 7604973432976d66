#pragma once
// Where the colour and font dialogs open: horizontally centred on the monitor
// of the active window, their top edge a third of the way down the height the
// dialog leaves free on that monitor's work area.

#include <QRect>
#include <QSize>

class QWidget;

namespace kelmora {

// The top-left corner of a dialog of frame size `dialog` on work area `monitor`.
QPoint placementOnMonitor(const QRect &monitor, const QSize &dialog);

// Moves dialog there, on the monitor of the active window (else of the
// dialog's parent, else the primary one), now and again when it is shown.
void placeOnActiveMonitor(QWidget *dialog);

} // namespace kelmora
