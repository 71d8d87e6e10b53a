#pragma once

#include "structure/outline.h"

#include <filesystem>
#include <string>
#include <string_view>

// The structure file (.QCT): one line per node in display order, each line a TAB for every
// level of depth, the node text as Windows-1251 bytes and CR LF.
namespace quarbel {

std::string FormatStructure(const Outline& outline);

// Reads structure file bytes. Lines end at CR, LF or CR LF; a NUL byte ends the text; every
// line, empty ones included, is a node; each leading TAB or blank is one level; the first
// line is always at the top. A line more than one level deeper than the one before it stops
// the reading with Error "Invalid level (L) for item "text"", and nothing is returned.
Outline ParseStructure(std::string_view bytes);

// Writes through a temporary file renamed over the target.
void WriteStructureFile(const std::filesystem::path& path, const Outline& outline);

// Reads a whole structure file; on any error the caller's structure stays as it was,
// since nothing is returned.
Outline ReadStructureFile(const std::filesystem::path& path);

} // namespace quarbel
