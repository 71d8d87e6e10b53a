#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quarbel {

// The bytes of a page's UTF-8 text in the character encoding the page declares, by its
// label as a browser reports it ("windows-1251", "KOI8-R", "UTF-8"). Characters the
// encoding lacks become "&#N;", so nothing is lost. Nothing for an encoding not handled
// here.
std::optional<std::string> EncodeForCharset(std::string_view utf8, std::string_view charset);

} // namespace quarbel
