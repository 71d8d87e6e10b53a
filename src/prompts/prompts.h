#pragma once

#include "pictures/indexed_image.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarbel {

enum class Answer { Yes, No, Cancel };

// The filter an open chooser starts with: "Всі підтримувані типи файлів …" where the list has
// it, else the first. `filters` in the "Name (*.EXT);;Name (*.EXT)" form, Windows-1251.
std::string PreferredOpenFilter(const std::string& filters);

// A file the save chooser gave, with the filter that was selected (0 for the first).
struct ChosenFile {
  std::filesystem::path path;
  int filter = 0;
};

// What the font chooser gives: the face, the size in points, the effects and the colour.
struct FontChoice {
  std::string name; // Windows-1251
  int points = 12;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  RgbColor colour{0, 0, 0};
  bool operator==(const FontChoice&) const = default;
};

// The one door through which commands talk to the user: messages and questions with the
// caption "Quarbel Vorizareda", and the choosers. Texts are Windows-1251.
class Prompts {
public:
  virtual ~Prompts() = default;

  // A refusal, warning or error: exclamation icon, OK.
  virtual void Warning(const std::string& text) = 0;
  // The general error report: a command failed (critical icon, OK).
  virtual void ReportError(const std::string& text) = 0;
  // A success or notice: information icon, OK.
  virtual void Information(const std::string& text) = 0;
  // A success with something to do next: information icon, OK and a button labelled
  // `offer`; true when that button was pressed.
  virtual bool InformationWithOffer(const std::string& text, const std::string& offer) = 0;
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
  // The save chooser that tells which filter was selected, opening with the first one. It
  // adds no extension and asks nothing about existing files.
  virtual std::optional<ChosenFile> ChooseSaveFileWithFilter(const std::string& filters) = 0;
  // The colour chooser, starting at `initial`; nothing when the user cancels.
  virtual std::optional<RgbColor> ChooseColour(RgbColor initial) = 0;
  // The font chooser with its effects and colour, opening with `initial`.
  virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;

  // The one "choose a file to save, ask before replacing" step: starts from `first` (or the
  // chooser when it is empty) and asks "Даний файл вже існує, бажаєте замінити його ?" for a
  // file that exists, except `ownFile` (the file the work came from). No chooses again;
  // nothing when the chooser is cancelled. `choose` shows the chooser and gives the path to
  // save to, its extension already settled.
  std::optional<std::filesystem::path>
  ChooseFileToSave(const std::function<std::optional<std::filesystem::path>()>& choose,
                   const std::filesystem::path& first = {},
                   const std::filesystem::path& ownFile = {});
};

} // namespace quarbel
