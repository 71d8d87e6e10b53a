#pragma once

#include <QPixmap>
#include <QStringList>

namespace quarbel {

// The program's banner picture: its name large and bold, then the other lines, centred on
// the program's blue. Used by the splash window and the about window.
QPixmap ProgramBanner(QSize size, int titlePointSize, const QStringList& lines = {});

} // namespace quarbel
