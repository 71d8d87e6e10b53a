#pragma once

class QWidget;

namespace quarbel {

// SIGTERM (the end of a desktop session, `kill`) closes `window` as its close button does,
// from the event loop, so that what the close keeps is kept. A close the window refuses
// leaves the program running.
void CloseOnTerminate(QWidget& window);

} // namespace quarbel
