#include "text/output_encoding.h"

namespace quarbel {

const char* OutputEncodingName(OutputEncoding encoding) {
  switch (encoding) {
  case OutputEncoding::Koi8r: return "KOI8";
  case OutputEncoding::Utf8: return "UTF8";
  case OutputEncoding::Cp1251: break;
  }
  return "1251";
}

std::optional<OutputEncoding> ParseOutputEncoding(std::string_view name) {
  for (const OutputEncoding encoding : kOutputEncodings) {
    if (name == OutputEncodingName(encoding))
      return encoding;
  }
  return std::nullopt;
}

const char* OutputEncodingCharset(OutputEncoding encoding) {
  switch (encoding) {
  case OutputEncoding::Koi8r: return "koi8-r";
  case OutputEncoding::Utf8: return "utf-8";
  case OutputEncoding::Cp1251: break;
  }
  return "windows-1251";
}

} // namespace quarbel
