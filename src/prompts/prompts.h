#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quarbel {

enum class Answer { Yes, No, Cancel };

// The one door through which commands talk to the user: messages and questions with the
// caption "Quarbel Vorizareda", and the choosers. Texts are Windows-1251.
class Prompts {
public:
  virtual ~Prompts() = default;

  // A refusal, warning or error: exclamation icon, OK.
  virtual void Warning(const std::string& text) = 0;
  // A success or notice: information icon, OK.
  virtual void Information(const std::string& text) = 0;
  // Question icon, Yes and No.
  virtual bool AskYesNo(const std::string& text) = 0;
  // Question icon, Yes, No and Cancel.
  virtual Answer AskYesNoCancel(const std::string& text) = 0;
  // The folder chooser with the given title; nothing when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseFolder(const std::string& title) = 0;
};

} // namespace quarbel
