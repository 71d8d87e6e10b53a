#include "settings/ini_file.h"

#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <cstdlib>

namespace quarbel {
namespace {

constexpr size_t kNpos = std::string::npos;

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

bool SameName(std::string_view a, std::string_view b) {
  return LowerCaseText(a) == LowerCaseText(b);
}

// The section name of a "[Name]" line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != '[')
    return std::nullopt;
  const size_t close = trimmed.find(']');
  if (close == kNpos)
    return std::nullopt;
  return Trim(std::string_view(trimmed).substr(1, close - 1));
}

// The value as a key's line holds it. Reading takes the blanks and one pair of quotes off a
// value, so a value that would lose them gets quotes of its own; the Windows profile
// functions take those off in the same way.
std::string StoredValue(const std::string& value) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  const bool blankEnds = !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return blankEnds || quoted ? '"' + value + '"' : value;
}

} // namespace

IniFile IniFile::Load(const std::filesystem::path& path) {
  try {
    return Parse(ReadFileBytes(path));
  } catch (const Error&) {
    return IniFile{};
  }
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile file;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos)
      end = text.size();
    file.lines_.emplace_back(text.substr(start, end - start));
    start = end;
    if (start < text.size())
      start += (text[start] == '\r' && start + 1 < text.size() && text[start + 1] == '\n') ? 2 : 1;
  }
  return file;
}

size_t IniFile::FindSection(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionOf(lines_[i]);
    if (name && SameName(*name, section))
      return i;
  }
  return kNpos;
}

size_t IniFile::FindKey(size_t header, const std::string& key) const {
  for (size_t i = header + 1; i < lines_.size() && !SectionOf(lines_[i]); ++i) {
    const size_t eq = lines_[i].find('=');
    if (eq != kNpos && SameName(Trim(std::string_view(lines_[i]).substr(0, eq)), key))
      return i;
  }
  return kNpos;
}

std::optional<std::string> IniFile::Read(const std::string& section, const std::string& key) const {
  const size_t header = FindSection(section);
  if (header == kNpos)
    return std::nullopt;
  const size_t line = FindKey(header, key);
  if (line == kNpos)
    return std::nullopt;
  std::string value = Trim(std::string_view(lines_[line]).substr(lines_[line].find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  if (value.size() > 2047)
    value.resize(2047);
  return value;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key) const {
  return Read(section, key).value_or(std::string());
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  const std::string value = ReadString(section, key);
  if (value.empty())
    return fallback;
  std::string digits = value;
  int base = 10;
  if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0) {
    digits.erase(0, 2);
    base = 16;
  } else if (digits[0] == '$') {
    digits.erase(0, 1);
    base = 16;
  }
  if (digits.empty())
    return fallback;
  char* end = nullptr;
  const long long number = std::strtoll(digits.c_str(), &end, base);
  if (*end != '\0')
    return fallback;
  return number != 0;
}

void IniFile::Write(const std::string& section, const std::string& key, const std::string& value) {
  const std::string line = key + "=" + StoredValue(value);
  size_t header = FindSection(section);
  if (header == kNpos) {
    if (!lines_.empty() && !lines_.back().empty())
      lines_.emplace_back();
    lines_.push_back("[" + section + "]");
    lines_.push_back(line);
    return;
  }
  const size_t existing = FindKey(header, key);
  if (existing != kNpos) {
    lines_[existing] = line;
    return;
  }
  // After the section's last line that is not empty.
  size_t last = header;
  for (size_t i = header + 1; i < lines_.size() && !SectionOf(lines_[i]); ++i) {
    if (!Trim(lines_[i]).empty())
      last = i;
  }
  lines_.insert(lines_.begin() + static_cast<long>(last) + 1, line);
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  Write(section, key, value ? "1" : "0");
}

std::string IniFile::Text() const {
  std::string text;
  for (const std::string& line : lines_)
    text += line + "\r\n";
  return text;
}

void IniFile::Save(const std::filesystem::path& path) const {
  try {
    ReplaceFileBytes(path, Text());
  } catch (const Error&) {
    throw Error("Unable to write to " + PathForMessage(path));
  }
}

std::string JoinMemoLines(const std::string& text) {
  if (text.find("\r\n") == kNpos)
    return text;
  std::string out;
  for (const char c : text) {
    if (c == '\r')
      out += '#';
    else if (c != '\n')
      out += c;
  }
  return out;
}

std::string SplitMemoLines(const std::string& value) {
  if (value.find('#') == kNpos)
    return value;
  std::string out;
  for (const char c : value) {
    if (c == '#')
      out += "\r\n";
    else
      out += c;
  }
  return out;
}

} // namespace quarbel
