#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// Replaces Cyrillic letters of a Windows-1251 text by their Latin spelling for file names
// inside a textbook ("ц" -> "cz", "щ" -> "shch", "ь" -> "_"); every other byte is copied.
std::string Transliterate(std::string_view text);

} // namespace quarbel
