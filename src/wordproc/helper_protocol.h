#pragma once

#include <string>
#include <string_view>

namespace quarbel {

// The program talks to the word processor helper one command a line. A path may hold any
// byte but NUL, line breaks included, so it travels as one field in which every control
// character, "%" and DEL are written as "%XX". The helper reads back exactly the bytes sent.
std::string EncodeHelperField(std::string_view bytes);

// The bytes of a field; a "%" that is not followed by two hex digits stands for itself.
std::string DecodeHelperField(std::string_view field);

} // namespace quarbel
