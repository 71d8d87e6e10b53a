#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// UTF-8 text for XML content and attribute values: & < > " ' escaped; characters XML 1.0
// does not allow (controls other than tab, line feed and carriage return) left out.
std::string XmlEscaped(std::string_view utf8);

// A relative file name (UTF-8, "/" between folders) as a URI reference: every byte outside
// the unreserved characters and "/" as %XX, so spaces and Cyrillic names link safely.
std::string UriPathEncoded(std::string_view utf8);

} // namespace quarbel
