#include "tablestore/table_image.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quarbel {
namespace {

constexpr char kDefinitionEnd = 0x12;
constexpr char kDefinitionsEnd = 0x14;
constexpr int kMaxDefinitionLength = 99999;

const char* const kCorrupt = "Buffer structure corruption!";

class Reader {
public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  size_t remaining() const { return bytes_.size() - pos_; }
  bool has(size_t n) const { return remaining() >= n; }
  char peek() const { return bytes_[pos_]; }

  std::string_view take(size_t n, const char* whenShort) {
    if (!has(n))
      throw TableFormatError(whenShort);
    const std::string_view out = bytes_.substr(pos_, n);
    pos_ += n;
    return out;
  }
  std::int32_t int32(const char* whenShort) {
    return static_cast<std::int32_t>(Unsigned(4, whenShort));
  }
  std::int16_t int16(const char* whenShort) {
    return static_cast<std::int16_t>(Unsigned(2, whenShort));
  }
  unsigned char byte(const char* whenShort) {
    return static_cast<unsigned char>(take(1, whenShort)[0]);
  }

private:
  std::uint32_t Unsigned(size_t n, const char* whenShort) {
    const std::string_view b = take(n, whenShort);
    std::uint32_t v = 0;
    for (size_t i = n; i-- > 0;)
      v = (v << 8) | static_cast<unsigned char>(b[i]);
    return v;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
};

void PutInt32(std::string& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void SetInt32(std::string& out, size_t at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string_view UpToZero(std::string_view text) {
  return text.substr(0, std::min(text.find('\0'), text.size()));
}

// Parses one definition (without its 0x12).
TableField ParseDefinition(std::string_view text) {
  TableField field;
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos || blank + 1 >= text.size())
    throw TableFormatError(kCorrupt);
  const size_t dot = text.find('.');
  if (dot != std::string_view::npos && dot < blank) {
    field.prefix = std::string(text.substr(0, dot));
    field.name = std::string(text.substr(dot + 1, blank - dot - 1));
  } else {
    field.name = std::string(text.substr(0, blank));
  }
  field.letter = static_cast<unsigned char>(text[blank + 1]);
  field.type = FieldTypeOfLetter(field.letter, field.size);

  // What follows the letter: the size of a String, then the optional "~" suffix.
  std::string_view rest = text.substr(blank + 2);
  const size_t tilde = rest.find('~');
  const std::string_view sizeText = rest.substr(0, std::min(tilde, rest.size()));
  if (field.type == FieldType::String) {
    if (sizeText.empty()) {
      field.size = 100;
    } else {
      field.size = 0;
      for (const char c : sizeText) {
        if (c < '0' || c > '9' || field.size > (kMaxDefinitionLength * 100))
          throw TableFormatError(kCorrupt);
        field.size = field.size * 10 + (c - '0');
      }
    }
  }
  if (tilde != std::string_view::npos) {
    const std::string_view suffix = rest.substr(tilde + 1);
    const size_t second = suffix.find('~');
    if (second == std::string_view::npos) {
      field.extraText = std::string(suffix);
    } else {
      field.defaultText = std::string(suffix.substr(0, second));
      field.extraText = std::string(suffix.substr(second + 1));
    }
  }
  return field;
}

std::string FieldMessage(const char* pattern, const TableField& field, long long number,
                         int record) {
  // pattern holds '%s', then two %d in this order.
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      out += field.name;
      ++p;
    } else if (p[0] == '%' && p[1] == 'd') {
      out += std::to_string(number);
      number = record;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

TableRecord ReadRecord(Reader& in, const std::vector<TableField>& fields, int recordNumber) {
  const char* const kShort = "Unexpected end of buffer";
  const std::string_view lengths = in.take(fields.size(), kShort);
  TableRecord record;
  record.values.resize(fields.size());
  for (size_t i = 0; i < fields.size(); ++i) {
    const TableField& field = fields[i];
    const int length = static_cast<unsigned char>(lengths[i]);
    if (length == 0)
      continue;
    if (IsCountedType(field.type)) {
      if (length != 4)
        throw TableFormatError(FieldMessage("Field '%s' has wrong length %d in record %d", field,
                                            length, recordNumber));
      const std::int32_t count = in.int32(kShort);
      const bool isString = field.type == FieldType::String;
      const int limit = isString ? kMaxStringCount : kMaxBlobCount;
      if (count < 0 || count > limit)
        throw TableFormatError(
            FieldMessage(isString ? "String field '%s' has wrong length %d in record %d"
                                  : "BLOB field '%s' has wrong length %d in record %d",
                         field, count, recordNumber));
      const std::string_view bytes = in.take(static_cast<size_t>(count), kShort);
      record.values[i] = std::string(isString ? UpToZero(bytes) : bytes);
      continue;
    }
    const int width = field.type == FieldType::SmallStr ? field.size + 1 : FixedWidth(field.type);
    if (length > width)
      throw TableFormatError(
          FieldMessage("Field '%s' has wrong length %d in record %d", field, length, recordNumber));
    const std::string_view bytes = in.take(static_cast<size_t>(length), kShort);
    if (field.type == FieldType::SmallStr) {
      record.values[i] = std::string(UpToZero(bytes));
    } else {
      std::string slot(static_cast<size_t>(width), '\0');
      slot.replace(0, bytes.size(), bytes);
      record.values[i] = std::move(slot);
    }
  }
  return record;
}

} // namespace

bool IsStoredValue(const TableField& field, std::string_view value) {
  if (value.empty())
    return false;
  switch (field.type) {
  case FieldType::Double:
  case FieldType::Currency:
  case FieldType::DateTime: {
    double number = 0;
    if (value.size() != sizeof number)
      return false;
    std::memcpy(&number, value.data(), sizeof number);
    return number != 0.0;
  }
  default:
    if (FixedWidth(field.type) > 0)
      return value.find_first_not_of('\0') != std::string_view::npos;
    return true;
  }
}

TableImage ParseTableImage(std::string_view bytes) {
  Reader in(bytes);
  in.take(4, kCorrupt); // the image length is not trusted
  const unsigned char kind = in.byte(kCorrupt);
  if (kind == 'E') {
    const std::string_view rest = bytes.substr(5);
    throw TableFormatError(std::string(UpToZero(rest)));
  }
  if (kind == 'P')
    throw TableFormatError("Enciphered (password protected) tables are not supported");
  if (kind != 'S')
    throw TableFormatError(kCorrupt);

  const std::int32_t recordCount = in.int32(kCorrupt);
  const std::int32_t fieldCount = in.int32(kCorrupt);
  const std::int32_t definitionLength = in.int32(kCorrupt);
  if (recordCount < 0 || fieldCount < 0 || definitionLength < 0 ||
      definitionLength > kMaxDefinitionLength)
    throw TableFormatError(kCorrupt);
  const std::string_view definitions = in.take(static_cast<size_t>(definitionLength), kCorrupt);

  TableImage image;
  size_t pos = 0;
  for (std::int32_t i = 0; i < fieldCount && pos < definitions.size(); ++i) {
    const size_t end = definitions.find(kDefinitionEnd, pos);
    if (end == std::string_view::npos || end == pos)
      throw TableFormatError("Error in buffer structure (field description section)");
    image.fields.push_back(ParseDefinition(definitions.substr(pos, end - pos)));
    pos = end + 1;
  }
  const size_t fields = image.fields.size();

  if (in.has(recordCount == 0 ? 3 : fields) && in.remaining() > 0 && in.peek() == '*') {
    in.take(1, kCorrupt);
    const std::int16_t noteLength = in.int16(kCorrupt);
    if (noteLength < 0)
      throw TableFormatError(kCorrupt);
    image.note = std::string(in.take(static_cast<size_t>(noteLength), kCorrupt));
  }

  // Records without fields take no bytes, so their count could not be checked against
  // the file; such a table cannot be genuine.
  if (fields == 0 && recordCount > 0)
    throw TableFormatError(kCorrupt);
  if (static_cast<std::int64_t>(recordCount) * static_cast<std::int64_t>(fields) > kMaxTableValues)
    throw TableFormatError("Declared record count (" + std::to_string(recordCount) + ") of " +
                           std::to_string(fields) + " fields exceeds the limit of " +
                           std::to_string(kMaxTableValues) + " values");
  // Each record takes at least one length byte per field, so the bytes left bound the count.
  if (fields > 0)
    image.records.reserve(std::min(static_cast<size_t>(recordCount), in.remaining() / fields));
  while (static_cast<std::int32_t>(image.records.size()) < recordCount && in.has(fields))
    image.records.push_back(
        ReadRecord(in, image.fields, static_cast<int>(image.records.size()) + 1));
  if (static_cast<std::int32_t>(image.records.size()) < recordCount)
    throw TableFormatError("Number of records read (" + std::to_string(image.records.size()) +
                           ") does not match declared record count (" +
                           std::to_string(recordCount) + ")");
  return image;
}

std::string FormatTableImage(const TableImage& image) {
  std::string definitions;
  for (const TableField& field : image.fields) {
    definitions += field.prefix;
    definitions += '.';
    for (const char c : field.name)
      definitions += c == ' ' ? '_' : c;
    definitions += ' ';
    definitions += static_cast<char>(field.letter);
    if (field.type == FieldType::String)
      definitions += std::to_string(field.size);
    if (!field.defaultText.empty() || !field.extraText.empty())
      definitions += "~" + field.defaultText + "~" + field.extraText;
    definitions += kDefinitionEnd;
  }
  definitions += kDefinitionsEnd;

  std::string out;
  PutInt32(out, 0); // image length, set at the end
  out += 'S';
  PutInt32(out, 0); // record count, set at the end
  PutInt32(out, static_cast<std::int32_t>(image.fields.size()));
  PutInt32(out, static_cast<std::int32_t>(definitions.size()));
  out += definitions;
  if (image.note) {
    const size_t length = std::min<size_t>(image.note->size(), 32767);
    out += '*';
    out += static_cast<char>(length & 0xFF);
    out += static_cast<char>(length >> 8);
    out.append(*image.note, 0, length);
  }

  std::int32_t written = 0;
  for (const TableRecord& record : image.records) {
    if (record.status == RecordStatus::Deleted || record.status == RecordStatus::Discarded)
      continue;
    // A reader takes a "*" right after the definitions for the start of a note; a first
    // record whose first length byte is 42 gets an empty note before it, so that it is read
    // back as a record.
    if (written == 0 && !image.note && !image.fields.empty() && !record.values.empty() &&
        !IsCountedType(image.fields[0].type) && IsStoredValue(image.fields[0], record.values[0]) &&
        record.values[0].size() == '*')
      out += std::string("*\0\0", 3);
    std::string lengths;
    std::string values;
    for (size_t i = 0; i < image.fields.size(); ++i) {
      const TableField& field = image.fields[i];
      const std::string_view value =
          i < record.values.size() ? std::string_view(record.values[i]) : "";
      if (!IsStoredValue(field, value)) {
        lengths += '\0';
      } else if (IsCountedType(field.type)) {
        lengths += '\x04';
        PutInt32(values, static_cast<std::int32_t>(value.size()));
        values += value;
      } else {
        lengths += static_cast<char>(value.size());
        values += value;
      }
    }
    out += lengths;
    out += values;
    ++written;
  }
  SetInt32(out, 5, written);
  SetInt32(out, 0, static_cast<std::int32_t>(out.size()));
  return out;
}

} // namespace quarbel
