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

// Where the text starts after a byte order mark and blanks.
size_t TextStart(std::string_view bytes) {
  const size_t bom = StartsWith(bytes, "\xEF\xBB\xBF") ? 3 : 0;
  const size_t start = bytes.find_first_not_of(" \t\r\n", bom);
  return start == std::string_view::npos ? bytes.size() : start;
}

// An RTF group: "{\" and a control word.
bool IsRtfGroup(std::string_view text) {
  return text.size() > 2 && text[0] == '{' && text[1] == '\\' &&
         ((text[2] >= 'a' && text[2] <= 'z') || text[2] == '*');
}

enum class Kind { NotWord, Word, RepairRtf };

Kind Classify(std::string_view head) {
  if (StartsWith(head, "PK\x03\x04") || StartsWith(head, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") ||
      StartsWith(head, "{\\rtf"))
    return Kind::Word;
  const std::string_view text = head.substr(TextStart(head));
  if (IsRtfGroup(text))
    return Kind::RepairRtf;
  const std::string markup = LowerCaseText(text.substr(0, 14));
  return StartsWith(markup, "<?xml") || StartsWith(markup, "<html") ||
                 StartsWith(markup, "<!doctype html") || StartsWith(markup, "<!--")
             ? Kind::Word
             : Kind::NotWord;
}

} // namespace

std::string RepairedRtf(std::string_view bytes) {
  const std::string_view text = bytes.substr(TextStart(bytes));
  if (StartsWith(text, "{\\rtf"))
    return std::string(text);
  return "{\\rtf1" + std::string(text) + "}";
}

WordDocumentShape CheckWordDocumentFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw Error(Cp1251FromUtf8("Не вдалося знайти документ \"") + PathForMessage(path) + "\"");
  std::ifstream in(path, std::ios::binary);
  std::string head(512, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  if (!in.good() && !in.eof())
    throw Error(Cp1251FromUtf8("Не вдалося прочитати документ \"") + PathForMessage(path) + "\"");
  const Kind kind = Classify(head);
  if (kind == Kind::NotWord)
    throw Error(Cp1251FromUtf8("Файл \"") + PathForMessage(path) +
                Cp1251FromUtf8("\" не є документом Word"));
  return kind == Kind::RepairRtf ? WordDocumentShape::RepairRtf : WordDocumentShape::AsItIs;
}

} // namespace quarbel
