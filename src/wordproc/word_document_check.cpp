#include "wordproc/word_document_check.h"

#include "text/cp1251.h"
#include "text/error.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <fstream>

namespace quarbel {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool LooksLikeWordDocument(std::string head) {
  if (StartsWith(head, "PK\x03\x04") || StartsWith(head, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") ||
      StartsWith(head, "{\\rtf"))
    return true;
  if (StartsWith(head, "\xEF\xBB\xBF"))
    head.erase(0, 3);
  const size_t start = head.find_first_not_of(" \t\r\n");
  if (start == std::string::npos)
    return false;
  const std::string markup = LowerCaseText(head.substr(start, 14));
  return StartsWith(markup, "<?xml") || StartsWith(markup, "<html") ||
         StartsWith(markup, "<!doctype html") || StartsWith(markup, "<!--");
}

} // namespace

void CheckWordDocumentFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw Error(Cp1251FromUtf8("Не вдалося знайти документ \"") + PathForMessage(path) + "\"");
  std::ifstream in(path, std::ios::binary);
  std::string head(512, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  if (!in.good() && !in.eof())
    throw Error(Cp1251FromUtf8("Не вдалося прочитати документ \"") + PathForMessage(path) + "\"");
  if (!LooksLikeWordDocument(head))
    throw Error(Cp1251FromUtf8("Файл \"") + PathForMessage(path) +
                Cp1251FromUtf8("\" не є документом Word"));
}

} // namespace quarbel
