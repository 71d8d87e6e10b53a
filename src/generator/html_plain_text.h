#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// The text a reader sees in a piece of HTML (UTF-8 in and out): character references
// resolved, scripts and style sections left out, blocks and line breaks separated by a blank,
// every run of blanks made one, trimmed.
std::string PlainTextOfHtml(std::string_view utf8Html);

} // namespace quarbel
