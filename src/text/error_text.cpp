#include "text/error_text.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"

#include <filesystem>
#include <new>

namespace quarbel {

std::string ErrorTextOf(const std::exception& failure) {
  if (const auto* error = dynamic_cast<const Error*>(&failure))
    return error->text();
  if (const auto* error = dynamic_cast<const std::filesystem::filesystem_error*>(&failure)) {
    std::string text = Cp1251FromUtf8("Помилка роботи з файлом");
    if (!error->path1().empty())
      text += " \"" + PathForMessage(error->path1()) + "\"";
    return text + ": " + SystemErrorText(error->code().value());
  }
  if (dynamic_cast<const std::bad_alloc*>(&failure))
    return Cp1251FromUtf8("Недостатньо пам'яті.");
  return UnknownErrorText();
}

std::string UnknownErrorText() {
  return Cp1251FromUtf8("Внутрішня помилка програми.");
}

} // namespace quarbel
