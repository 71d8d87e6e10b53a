#pragma once

#include <QSplashScreen>

#include <functional>

namespace quarbel {

// The start-up splash. It goes on its own after a while, or at once when clicked; either
// way `dismissed` runs once, so the main window need not wait for the timer.
class ProgramSplash : public QSplashScreen {
public:
  ProgramSplash(const QPixmap& picture, std::function<void()> dismissed);

  // Closes the splash (the timer's end) and runs `dismissed` unless it ran already.
  void Dismiss();

protected:
  void mousePressEvent(QMouseEvent* event) override;

private:
  std::function<void()> dismissed_;
};

} // namespace quarbel
