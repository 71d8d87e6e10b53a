#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quarbel {

// A settings file in the Windows profile manner: "[Section]" lines and "Key=Value" lines in
// Windows-1251, read and written key by key. Section and key names ignore letter case; every
// other line (comments, keys the program does not know) stays as it was.
class IniFile {
public:
  // A missing or unreadable file reads as empty.
  static IniFile Load(const std::filesystem::path& path);
  static IniFile Parse(std::string_view text);

  // The value as the profile functions give it: without the blanks around it and without
  // quotes around it, at most 2047 characters; nothing when the key is absent.
  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  std::string ReadString(const std::string& section, const std::string& key) const;
  // A decimal or hexadecimal ("0x", "0X", "$") integer; non-zero is true. An absent, empty or
  // non-numeric value gives `fallback`.
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;

  // Replaces the key's line, or adds it at the end of its section, or adds the section. A value
  // with blanks at its ends or quotes around it is written in quotes, so that Read gives it
  // back as it was.
  void Write(const std::string& section, const std::string& key, const std::string& value);
  void WriteBool(const std::string& section, const std::string& key, bool value);

  std::string Text() const;
  // Writes the whole file through a temporary file; throws Error "Unable to write to PATH".
  void Save(const std::filesystem::path& path) const;

private:
  // The index of the section's header line, or npos.
  size_t FindSection(const std::string& section) const;
  // The index of the key's line within the section starting at `header`, or npos.
  size_t FindKey(size_t header, const std::string& key) const;

  std::vector<std::string> lines_;
};

// A memo's lines joined for the settings file: with CR LF in the text, every CR becomes "#"
// and every LF goes; a text without CR LF stays as it is.
std::string JoinMemoLines(const std::string& text);
// The inverse: with "#" in the value, every "#" becomes CR LF.
std::string SplitMemoLines(const std::string& value);

} // namespace quarbel
