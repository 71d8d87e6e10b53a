#pragma once

#include <filesystem>

namespace quarbel {

// Where the program finds its data and where it writes. Two shapes of program:
//
// A portable folder: the executables, the helper and the data (Styles/, Icons/, Data Base/,
// Help/) side by side. It keeps its settings and style sheets in itself, as it always has,
// while it may write there.
//
// An installed tree under a prefix: PREFIX/bin/quarbel-vorizareda, the helper in
// PREFIX/lib/quarbel-vorizareda/, the data in PREFIX/share/quarbel-vorizareda/, none of it
// written to. Found from the executable's own place, so the tree may be moved.
//
// A program that may not write into its folder keeps the settings file and its pictures in
// $XDG_CONFIG_HOME/quarbel-vorizareda/ (~/.config/…) and the style sheets the teacher adds in
// $XDG_DATA_HOME/quarbel-vorizareda/Styles/ (~/.local/share/…); the shipped ones are still
// offered.
struct ProgramFolders {
  std::filesystem::path data;       // Styles/, Icons/Software/, Data Base/, Help/
  std::filesystem::path helper;     // the quarbel-wordproc executable
  std::filesystem::path settings;   // the settings file and IMG/
  std::filesystem::path userStyles; // where style sheets are added, renamed and removed
  // The style sheets that come with the program, offered beside userStyles; empty when they
  // are one folder (a portable program that may write into itself).
  std::filesystem::path shippedStyles;
};

// The folders of the program whose executable lies in `executableFolder`.
ProgramFolders FindProgramFolders(const std::filesystem::path& executableFolder);

} // namespace quarbel
