#pragma once

#include <string>

namespace quarbel {

// The media type of a file by its extension (any letter case), as a package's manifest names
// it: the pictures, videos and documents a course holds; "application/octet-stream" for any
// other.
std::string MediaTypeOf(const std::string& fileName);

// The picture types every EPUB reader shows: GIF, JPEG, PNG and SVG.
bool IsCoreImage(const std::string& mediaType);

} // namespace quarbel
