#pragma once

#include "pictures/indexed_image.h"

#include <string>
#include <string_view>
#include <vector>

// Text of the generated textbook: the encoding choice, the charset line, lines and colours.
namespace quarbel {

// The encoding choice as the parameters hold it: "1251", "KOI8" or "UTF8". Any other value
// (a settings file may hold one) is written as Windows-1251 and declared so.
using EncodingChoice = std::string;

// "<meta http-equiv=Content-Type content="text/html; charset=...">" for the choice.
std::string CharsetLine(const EncodingChoice& encoding);

// The bytes of a textbook text file: the program's Windows-1251 text in the chosen
// encoding, characters it lacks as "&#N;".
std::string EncodeForTextbook(std::string_view text1251, const EncodingChoice& encoding);
// The inverse: a textbook file's bytes back to Windows-1251.
std::string DecodeFromTextbook(std::string_view bytes, const EncodingChoice& encoding);

using Lines = std::vector<std::string>;

// Lines of a text, split at CR LF, LF or CR; a line end at the very end adds no line.
Lines SplitLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinLines(const Lines& lines);

// "#rrggbb" with two lower-case hexadecimal digits each.
std::string HtmlColour(RgbColor colour);

} // namespace quarbel
