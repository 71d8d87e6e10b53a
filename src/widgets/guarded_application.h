#pragma once

#include <QApplication>

namespace quarbel {

class Prompts;

// The program's application object. Whatever exception escapes an event handler (a window
// command, a timer, a dialog) is turned into the general error report instead of ending the
// program with the teacher's work unsaved. It also names the program.
class GuardedApplication : public QApplication {
public:
  GuardedApplication(int& argc, char** argv);

  // Where escaping exceptions are reported; without it a message box with no owner.
  void SetErrorReport(Prompts* prompts) { prompts_ = prompts; }

  bool notify(QObject* receiver, QEvent* event) override;

private:
  void Report(const std::string& text1251);

  Prompts* prompts_ = nullptr;
};

} // namespace quarbel
