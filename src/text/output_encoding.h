#pragma once

#include <optional>
#include <string_view>

namespace quarbel {

// The encoding a textbook is written in, as the parameters window and the converter offer it.
enum class OutputEncoding { Cp1251, Koi8r, Utf8 };

inline constexpr OutputEncoding kOutputEncodings[] = {OutputEncoding::Cp1251, OutputEncoding::Koi8r,
                                                      OutputEncoding::Utf8};

// The name the settings file, the parameters window and the converter use: "1251", "KOI8",
// "UTF8".
const char* OutputEncodingName(OutputEncoding encoding);
std::optional<OutputEncoding> ParseOutputEncoding(std::string_view name);

// The charset a page declares: "windows-1251", "koi8-r", "utf-8".
const char* OutputEncodingCharset(OutputEncoding encoding);

} // namespace quarbel
