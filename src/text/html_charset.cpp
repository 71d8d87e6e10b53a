#include "text/html_charset.h"

#include "text/cp1251.h"
#include "text/text_case.h"

namespace quarbel {

std::optional<std::string> EncodeForCharset(std::string_view utf8, std::string_view charset) {
  const std::string label = LowerCaseText(charset);
  if (label == "windows-1251" || label == "cp1251" || label == "x-cp1251")
    return Cp1251FromUtf8WithReferences(utf8);
  if (label == "koi8-r" || label == "koi8")
    return Koi8rFromCp1251(Cp1251FromUtf8WithReferences(utf8));
  if (label == "utf-8" || label == "utf8")
    return std::string(utf8);
  return std::nullopt;
}

} // namespace quarbel
