#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quarbel {

// How the word processor can read a document that passed the check.
enum class WordDocumentShape {
  AsItIs,    // hand the file itself to the word processor
  RepairRtf, // RTF that LibreOffice reads only once RepairedRtf has mended it
};

// Refuses, with an Error for the user, a file that is missing or is no Word document:
// the word processor would otherwise read any file as plain text. Accepted are Office Open
// XML (a ZIP package), the binary Word format and encrypted packages (a compound file),
// RTF, and XML or HTML saved under a Word extension.
//
// RTF counts when it starts with a group of control words ("{\rtf1…", or "{\pard…" as some
// programs write a bare fragment), after a byte order mark or blank lines too. LibreOffice
// reads RTF only when "{\rtf" are the very first bytes; anything else is RepairRtf.
WordDocumentShape CheckWordDocumentFile(const std::filesystem::path& path);

// The RTF as LibreOffice reads it: without a byte order mark or blanks ahead, and with the
// "{\rtf1" header around a bare fragment.
std::string RepairedRtf(std::string_view bytes);

} // namespace quarbel
