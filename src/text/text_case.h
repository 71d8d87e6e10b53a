#pragma once

#include <string>
#include <string_view>

// Letter case and searching in Windows-1251 text. Only A-Z and the Cyrillic А-Я / а-я
// change case; Ё, Є, І, Ї, Ґ and their small forms stay as they are, so that comparisons
// of file names and extensions behave the same everywhere in the program.
namespace quarbel {

std::string UpperCaseText(std::string_view text);
std::string LowerCaseText(std::string_view text);

// Lower case for comparing texts the way a reader does: LowerCaseText and the Ukrainian and
// Belarusian letters outside А…Я (І, Ї, Є, Ґ, Ў, Ё).
std::string FoldCaseText(std::string_view text);

// 1-based position of the last occurrence of `sub` in `text`; 0 when there is none or
// `sub` is empty.
int LastPos(std::string_view sub, std::string_view text);

} // namespace quarbel
