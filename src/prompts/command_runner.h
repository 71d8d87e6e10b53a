#pragma once

#include "prompts/prompts.h"

#include <functional>

namespace quarbel {

// The one way a window runs a command of the user's: whatever the command throws becomes the
// general error report, and the program goes on. False when the command failed.
bool RunCommand(Prompts& prompts, const std::function<void()>& command);

} // namespace quarbel
