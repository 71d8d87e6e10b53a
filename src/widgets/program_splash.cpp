#include "widgets/program_splash.h"

namespace quarbel {

ProgramSplash::ProgramSplash(const QPixmap& picture, std::function<void()> dismissed)
    : QSplashScreen(picture), dismissed_(std::move(dismissed)) {}

void ProgramSplash::Dismiss() {
  close();
  if (auto dismissed = std::move(dismissed_)) {
    dismissed_ = nullptr;
    dismissed();
  }
}

void ProgramSplash::mousePressEvent(QMouseEvent* event) {
  QSplashScreen::mousePressEvent(event);
  Dismiss();
}

} // namespace quarbel
