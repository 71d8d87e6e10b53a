#pragma once

#include "generator/textbook_layout.h"
#include "settings/ini_file.h"
#include "settings/style_choice.h"
#include "text/output_encoding.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quarbel {

// The title page or author data as the settings file keeps them between runs.
struct StoredPage {
  bool save = true;                 // "Зберігати ..." check box of the parameters window
  bool toggle = true;               // the page toggle; restored only when `save` is on
  std::array<std::string, 7> texts; // by TitlePageText or AuthorText
  bool pictureChecked = true;       // the logo or photo check box
  std::string extension;            // ".jpg"; names the picture file IMG/Logo.jpg
  std::string pictureBytes;         // the picture as loaded; empty when none

  bool operator==(const StoredPage&) const = default;
};

// Everything the program keeps in "Quarbel Vorizareda.Ini" and the IMG folder.
struct ProgramSettings {
  bool movingPanel = true;
  std::string style;                                // the interface style's name
  OutputEncoding encoding = OutputEncoding::Cp1251; // "Coding" in the file
  TextbookLayout layout = TextbookLayout::Classic;  // "Layout" in the file
  // Limits of the word processor, set by hand in the file ("WordProcessorMemoryMB" and
  // "DocumentTimeLimit" in seconds, section "Options"); 0 for the program's defaults.
  size_t wordProcessorMemoryMB = 0;
  int documentTimeLimit = 0;
  // Also by hand: word processor helpers working side by side ("WordProcessorJobs"; 0 for
  // the machine's cores, at most 4) and the page cache's size ("PageCacheMB"; 0 for 1024).
  int wordProcessorJobs = 0;
  size_t pageCacheMB = 0;
  StoredPage title;
  StoredPage author;
  // What the styles window last held ("Look"); nothing in a file written before it was kept.
  // Its `styleFile` is the style sheet's file name in the Styles folder.
  std::optional<StyleChoice> look;
  // The structure files opened or saved last, newest first (Windows-1251 paths).
  std::vector<std::string> recentStructures;

  bool operator==(const ProgramSettings&) const = default;
};

inline constexpr const char* kSettingsFileName = "Quarbel Vorizareda.Ini";

// Reads the settings of the program folder, with the defaults of a first start: a missing
// file gives the moving panel, both "save" boxes and both toggles on, the Luna style and
// the 1251 encoding. The IMG folder is made when missing. A stored picture that is missing
// or cannot be read is left out; the rest is restored all the same.
ProgramSettings RestoreSettings(const std::filesystem::path& programFolder);

// The settings a settings file gives, with the defaults of a first start for what it lacks;
// the stored pictures come from the folder `img`.
ProgramSettings SettingsFromIni(const IniFile& ini, const std::filesystem::path& img);

// Puts the settings into the settings file's lines, as StoreSettings writes them: data whose
// "save" box is off is cleared.
void PutSettings(IniFile& ini, const ProgramSettings& settings);

// Writes the settings file, then the pictures; data whose "save" box is off is cleared in
// the file and its picture files (every IMG file whose name holds "Logo" or "Photo") are
// deleted. A settings file that cannot be written throws Error "Unable to write to PATH"
// before any picture is touched.
void StoreSettings(const std::filesystem::path& programFolder, const ProgramSettings& settings);

} // namespace quarbel
