#pragma once
// F6 moves the keyboard focus between the active document and the frame's
// bars: Tab stays inside a document (it is never typed there), so without it
// the keyboard could not reach the font boxes and the bars' buttons. From a
// bar F6 goes back to the document; inside the bars Tab walks the controls.

#include <QList>

#include <functional>

class QMainWindow;
class QToolBar;
class QWidget;

namespace kelmora {

// The first control of the shown bars that Tab can reach, in the bars' order
// from left to right; nullptr when there is none.
QWidget *firstBarControl(const QList<QToolBar *> &bars);

// Adds the F6 action to frame. document gives the active document's editor,
// or nullptr when there is none.
void installPaneSwitch(QMainWindow *frame, const QList<QToolBar *> &bars, std::function<QWidget *()> document);

} // namespace kelmora
