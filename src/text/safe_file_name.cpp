#include "text/safe_file_name.h"

#include "text/paths.h"
#include "text/text_case.h"
#include "text/transliterate.h"

namespace quarbel {

std::string MakeSafeFileName(std::string_view path) {
  std::string name = LowerCaseText(FileNameOf(path));
  const size_t dot = name.rfind('.');
  const size_t baseEnd = dot == std::string::npos ? name.size() : dot;
  for (size_t i = 0; i < baseEnd; ++i) {
    if (name[i] == ' ' || name[i] == ',' || name[i] == '.')
      name[i] = '_';
  }
  return Transliterate(name);
}

} // namespace quarbel
