#pragma once
// The start-up sequence after the application object exists: the title, the
// splash, the frame and the two dialogs, each followed by a step of the gauge
// and a blocking wait (100, 100 and 1800 ms) through the Platform seam, then
// the splash is hidden and destroyed. The caller then shows the frame
// maximized and runs the message loop.

namespace kelmora {

void startUp();

} // namespace kelmora
