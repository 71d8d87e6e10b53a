#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// The name under which a file is stored inside a textbook: the file name of `path`,
// lower-cased, with blanks, commas and dots of its base turned into "_", transliterated.
// "Лекція 1. Вступ.PDF" gives "lekcziya_1__vstup.pdf".
std::string MakeSafeFileName(std::string_view path);

} // namespace quarbel
