#include "widgets/terminate_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace quarbel {
namespace {

int terminatePipe[2] = {-1, -1};

// Only what a signal handler may do: one byte into the pipe.
void OnTerminate(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(terminatePipe[1], &byte, 1);
}

} // namespace

void CloseOnTerminate(QWidget& window) {
  if (::pipe2(terminatePipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return;
  auto* notifier = new QSocketNotifier(terminatePipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char bytes[16];
    while (::read(terminatePipe[0], bytes, sizeof bytes) > 0) {
    }
    if (window.close())
      QCoreApplication::quit(); // also before the window was first shown
  });
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
}

} // namespace quarbel
