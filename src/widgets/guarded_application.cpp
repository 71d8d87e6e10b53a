#include "widgets/guarded_application.h"

#include "text/error_text.h"
#include "widgets/qt_prompts.h"

namespace quarbel {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("[ Quarbel ]"));
  // No display name: Qt would add it to every window's caption on a real desktop, and the
  // captions are exactly the windows' own texts.
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    Report(ErrorTextOf(failure));
  } catch (...) {
    Report(UnknownErrorText());
  }
  return false;
}

void GuardedApplication::Report(const std::string& text) {
  if (prompts_) {
    prompts_->ReportError(text);
    return;
  }
  QtPrompts(activeWindow()).ReportError(text);
}

} // namespace quarbel
