#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// Builders for table images written out by hand in tests.
namespace quarbel::testing {

inline std::string Le32(std::int64_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
  return out;
}

inline std::string Le16(int value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

// Definitions, each ended by 0x12, then 0x14.
inline std::string Definitions(std::initializer_list<std::string_view> definitions) {
  std::string out;
  for (std::string_view d : definitions)
    out.append(d).append("\x12");
  return out + "\x14";
}

// A plain image: the header (with an image length that readers ignore), the definition text,
// then whatever follows.
inline std::string Image(std::int64_t records, std::int64_t fields, const std::string& definitions,
                         const std::string& rest = "") {
  const std::string body = "S" + Le32(records) + Le32(fields) +
                           Le32(static_cast<std::int64_t>(definitions.size())) + definitions + rest;
  return Le32(static_cast<std::int64_t>(body.size() + 4)) + body;
}

// The definition text of the ten fields of a record file.
inline std::string RecordFileDefinitions() {
  return Definitions({"XXX.First s1000", "XXX.Second s1000", "XXX.Third s1000", "XXX.Fourth s1000",
                      "XXX.Fifth s1000", "XXX.Sixth s1000", "XXX.Seventh s1000", "XXX.Eighth s1000",
                      "XXX.Ninth b", "XXX.Tenth g"});
}

} // namespace quarbel::testing
