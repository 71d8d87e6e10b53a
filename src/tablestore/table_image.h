#pragma once

#include "tablestore/field_type.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The table file: one table of field definitions and records, read and written whole.
//
//   int32 image length | "S" | int32 record count N | int32 field count F |
//   int32 definition length L | L bytes of definitions | optional note "*" int16 M text |
//   N records
//
// A definition is prefix "." name " " type-letter [size] ["~" default "~" extra], each
// followed by 0x12, the last one by 0x14 as well. A record is one length byte per field,
// then the present values in field order. All integers are little-endian.
namespace quarbel {

struct TableField {
  std::string prefix = "XXX";
  std::string name;
  FieldType type = FieldType::String;
  unsigned char letter = 's'; // kept as read, so unusual SmallStr letters survive
  int size = 0;               // String: declared size; SmallStr: maximum length
  std::string defaultText;    // the value of the field in a newly inserted record
  std::string extraText;      // kept and written back unchanged

  bool operator==(const TableField&) const = default;
};

enum class RecordStatus { Unchanged, Changed, Inserted, Deleted, Discarded };

struct TableRecord {
  RecordStatus status = RecordStatus::Unchanged;
  // One value per field; empty means absent. A present fixed-width value holds exactly
  // FixedWidth(type) bytes; texts hold no zero byte.
  std::vector<std::string> values;

  bool operator==(const TableRecord&) const = default;
};

struct TableImage {
  std::vector<TableField> fields;
  std::optional<std::string> note;
  std::vector<TableRecord> records;

  bool operator==(const TableImage&) const = default;
};

// Why a table image could not be read, in the words the store reports it.
class TableFormatError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Largest counts a reader accepts for a String value and for a blob value.
inline constexpr int kMaxStringCount = 8191;
inline constexpr int kMaxBlobCount = 0x3FFFFFFF;

// Most values (records times fields) a reader accepts. Every value is held as a string of its
// own, some 32 bytes even when the file spends a single length byte on it, so the values a
// file declares are capped rather than trusted: a record file holds one record of ten fields.
inline constexpr std::int64_t kMaxTableValues = 65536;

// Reads a whole image; throws TableFormatError. Holds at most kMaxTableValues values; apart
// from them it never allocates much more than the input holds.
TableImage ParseTableImage(std::string_view bytes);

// Writes every record that is neither deleted nor discarded.
std::string FormatTableImage(const TableImage& image);

// A field that holds a value in the stored sense: a non-zero number, a non-empty text
// or blob. Absent values are written as a zero length byte.
bool IsStoredValue(const TableField& field, std::string_view value);

} // namespace quarbel
