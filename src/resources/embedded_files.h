#pragma once

#include <string_view>

namespace quarbel {

// Files built into the program (icons, scripts, the media player), by file name. The table
// is generated at build time from the files under resources/ and the build's own pictures.
// An unknown name gives an empty view.
std::string_view EmbeddedFile(std::string_view name);

} // namespace quarbel
