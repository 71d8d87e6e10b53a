#pragma once

#include <filesystem>

namespace quarbel {

// Refuses, with an Error for the user, a file that is missing or is no Word document:
// the word processor would otherwise read any file as plain text. Accepted are Office Open
// XML (a ZIP package), the binary Word format and encrypted packages (a compound file),
// RTF, and XML or HTML saved under a Word extension.
void CheckWordDocumentFile(const std::filesystem::path& path);

} // namespace quarbel
