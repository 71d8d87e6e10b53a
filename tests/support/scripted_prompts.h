#pragma once

#include "prompts/prompts.h"

#include <deque>
#include <string>
#include <vector>

namespace quarbel::testing {

// Answers from a queue and records every message as "kind: text" (text in UTF-8), so a test
// can check the exact words and their order. An unexpected question fails loudly.
class ScriptedPrompts : public Prompts {
public:
  std::deque<Answer> answers;
  std::deque<std::filesystem::path> folders; // an empty path stands for Cancel
  std::deque<std::filesystem::path> files;   // for the file choosers; empty: Cancel
  std::deque<std::vector<std::filesystem::path>> fileLists;
  std::deque<std::optional<RgbColor>> colours; // nothing stands for Cancel
  std::deque<std::optional<ChosenFile>> savedFiles;
  std::deque<std::optional<FontChoice>> fonts;
  std::deque<bool> offers; // true takes the offer; an empty queue declines it
  std::vector<std::string> said;

  void Warning(const std::string& text) override;
  void ReportError(const std::string& text) override; // recorded as "error: text"
  void Information(const std::string& text) override;
  // Recorded as "information: text [offer]".
  bool InformationWithOffer(const std::string& text, const std::string& offer) override;
  bool AskYesNo(const std::string& text) override;
  Answer AskYesNoCancel(const std::string& text) override;
  std::optional<std::filesystem::path> ChooseFolder(const std::string& title) override;
  std::optional<std::filesystem::path> ChooseOpenFile(const std::string& filters) override;
  std::vector<std::filesystem::path> ChooseOpenFiles(const std::string& filters) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const std::string& filters,
                                                      const std::string& defaultSuffix) override;
  std::optional<ChosenFile> ChooseSaveFileWithFilter(const std::string& filters) override;
  std::optional<RgbColor> ChooseColour(RgbColor initial) override;
  std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;

private:
  Answer Next();
  std::optional<std::filesystem::path> NextFile(const char* kind, const std::string& filters);
};

} // namespace quarbel::testing
