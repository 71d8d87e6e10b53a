#pragma once

#include "prompts/prompts.h"

class QWidget;

namespace quarbel {

// Prompts as message boxes and file dialogs with the caption "Quarbel Vorizareda".
class QtPrompts : public Prompts {
public:
  explicit QtPrompts(QWidget* owner) : owner_(owner) {}

  void Warning(const std::string& text) override;
  void Information(const std::string& text) override;
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

  // The general error report: the error's text under "[ Quarbel ]", with "." added when its
  // last character sorts after ".".
  void ReportError(const std::string& text1251) override;

private:
  QWidget* Owner() const;
  // The save chooser, opening with its first filter: no question about existing files;
  // `defaultSuffix` (may be empty) goes on a name typed without one.
  std::optional<ChosenFile> SaveDialog(const std::string& filters,
                                       const std::string& defaultSuffix);
  QWidget* owner_;
};

} // namespace quarbel
