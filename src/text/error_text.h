#pragma once

#include <exception>
#include <string>

namespace quarbel {

// What went wrong, in words for the teacher (Windows-1251): an Error says it already; a file
// system failure is told by its system error and path; anything else gets a plain Ukrainian
// sentence, so no English of a library reaches a message.
std::string ErrorTextOf(const std::exception& failure);

// For what is not even an exception.
std::string UnknownErrorText();

} // namespace quarbel
