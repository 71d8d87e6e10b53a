#include "prompts/command_runner.h"

#include "text/error_text.h"

namespace quarbel {

bool RunCommand(Prompts& prompts, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& failure) {
    prompts.ReportError(ErrorTextOf(failure));
  } catch (...) {
    prompts.ReportError(UnknownErrorText());
  }
  return false;
}

} // namespace quarbel
