#pragma once

#include "pictures/indexed_image.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

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

  // File choosers. `filters` are in the "Name (*.EXT *.EXT);;Name (*.EXT)" form, Windows-1251.
  // The save chooser adds `defaultSuffix` to a name typed without one and asks nothing
  // about existing files. Every chooser starts with an empty file name.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(const std::string& filters) = 0;
  virtual std::vector<std::filesystem::path> ChooseOpenFiles(const std::string& filters) = 0;
  virtual std::optional<std::filesystem::path> ChooseSaveFile(const std::string& filters,
                                                              const std::string& defaultSuffix) = 0;
  // The colour chooser, starting at `initial`; nothing when the user cancels.
  virtual std::optional<RgbColor> ChooseColour(RgbColor initial) = 0;
};

} // namespace quarbel
