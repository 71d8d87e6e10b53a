#pragma once

#include "generator/generation_input.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quarbel::testing {

// The Windows-1251 bytes of a UTF-8 literal, so tests can be written in readable text.
std::string W(std::string_view utf8);

// UTF-8 of a Windows-1251 text, for readable failure messages.
std::string U(std::string_view text1251);

// The text (UTF-8) of the Error that `action` throws, or "<no error>".
std::string ErrorOf(const std::function<void()>& action);

// A fresh folder removed with everything in it when the test ends.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// Every file under a folder by its relative path, with its bytes: two textbooks compare equal
// when they are the same file for file.
std::map<std::string, std::string> FolderContents(const std::filesystem::path& folder);

// A conversion's progress that goes nowhere.
class SilentProgress : public ProgressSink {
public:
  void SetMaximum(int) override {}
  void SetPosition(int) override {}
  void ProcessEvents() override {}
};

} // namespace quarbel::testing
