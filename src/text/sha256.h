#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quarbel {

// SHA-256 of some bytes, as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

// SHA-256 of a file's bytes, read in pieces; throws Error when the file cannot be read.
std::string Sha256OfFile(const std::filesystem::path& file);

} // namespace quarbel
