#pragma once

#include "pictures/indexed_image.h"
#include "text/output_encoding.h"

#include <string>
#include <string_view>
#include <vector>

// Text of the generated textbook: the charset line, text in the chosen encoding, lines and
// colours.
namespace quarbel {

// "<meta http-equiv=Content-Type content="text/html; charset=...">" for the choice.
std::string CharsetLine(OutputEncoding encoding);

// The bytes of a textbook text file: the program's Windows-1251 text in the chosen
// encoding, characters it lacks as "&#N;".
std::string EncodeForTextbook(std::string_view text1251, OutputEncoding encoding);
// The inverse: a textbook file's bytes back to Windows-1251.
std::string DecodeFromTextbook(std::string_view bytes, OutputEncoding encoding);

using Lines = std::vector<std::string>;

// Lines of a text, split at CR LF, LF or CR; a line end at the very end adds no line.
Lines SplitLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinLines(const Lines& lines);

// "#rrggbb" with two lower-case hexadecimal digits each.
std::string HtmlColour(RgbColor colour);

} // namespace quarbel
