#pragma once

#include <stdexcept>
#include <string>

namespace quarbel {

// An error meant for the user's eyes. Its text is Windows-1251, like every text of the
// program, and is exactly what the message box shows.
class Error : public std::runtime_error {
public:
  explicit Error(const std::string& text1251) : std::runtime_error(text1251) {}

  std::string text() const { return what(); }
};

} // namespace quarbel
