#pragma once
// How a screen reader sees the about box's own controls, which Qt knows only
// as plain widgets: a scrolling panel reads as the text of its lines (what
// it says, not the animation); a picture that answers clicks is a button
// named by its hint, a named picture is an image, and a clickable label is a
// link. The reader's "press" on the button or the link does what a click does.

#include <QString>
#include <QStringList>

namespace kelmora::about {

// Teaches Qt these interfaces; any further call does nothing.
void installAboutAccessibility();

// What a scrolling panel says: its lines that are not blank, one a line.
QString scrollingText(const QStringList &lines);

} // namespace kelmora::about
