#include "tablestore/table_image.h"

#include "records/record_fields.h"
#include "tablestore/image_bytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quarbel {
namespace {

using namespace testing;
using namespace std::string_literals;

std::string ReadError(std::string_view bytes) {
  try {
    ParseTableImage(bytes);
  } catch (const TableFormatError& e) {
    return e.what();
  }
  return "<no error>";
}

std::string Double(double value) {
  std::string out(8, '\0');
  std::memcpy(out.data(), &value, 8);
  return out;
}

TEST(TableImage, TheEmptyRecordTableIsTheTemplateOf175Bytes) {
  const std::string expected =
      std::string("\xAF\0\0\0S\0\0\0\0\x0A\0\0\0\x9E\0\0\0", 17) + RecordFileDefinitions();
  ASSERT_EQ(expected.size(), 175u);
  EXPECT_EQ(FormatTableImage(EmptyRecordTable()), expected);

  const TableImage image = ParseTableImage(expected);
  ASSERT_EQ(image.fields.size(), 10u);
  EXPECT_EQ(image.fields[0].name, "First");
  EXPECT_EQ(image.fields[0].type, FieldType::String);
  EXPECT_EQ(image.fields[0].size, 1000);
  EXPECT_EQ(image.fields[8].type, FieldType::Boolean);
  EXPECT_EQ(image.fields[9].type, FieldType::Graphic);
  EXPECT_TRUE(image.records.empty());
  EXPECT_FALSE(image.note.has_value());
  EXPECT_EQ(image, EmptyRecordTable());
}

TEST(TableImage, DefinitionsAreReadAsWritten) {
  struct Case {
    const char* definition;
    const char* prefix;
    const char* name;
    FieldType type;
    int size;
    const char* defaultText;
    const char* extraText;
  } cases[] = {
      {"XXX.My_field s50", "XXX", "My_field", FieldType::String, 50, "", ""},
      {"T.Name s", "T", "Name", FieldType::String, 100, "", ""},
      {"Plain s7", "XXX", "Plain", FieldType::String, 7, "", ""},
      {"A.B.C i", "A", "B.C", FieldType::Integer, 0, "", ""},
      {"X.a s10~def~more~x", "X", "a", FieldType::String, 10, "def", "more~x"},
      {"X.a l~only", "X", "a", FieldType::SmallInt, 0, "", "only"},
      {"X.short 5", "X", "short", FieldType::SmallStr, 5, "", ""},
      {"X.short Z", "X", "short", FieldType::SmallStr, 35, "", ""},
      {"X.odd x", "X", "odd", FieldType::SmallStr, 'x' - 'A' + 10, "", ""},
      {"X.m m", "X", "m", FieldType::Memo, 0, "", ""},
  };
  for (const Case& c : cases) {
    const std::string bytes = Image(0, 1, Definitions({c.definition}));
    const TableImage image = ParseTableImage(bytes);
    ASSERT_EQ(image.fields.size(), 1u) << c.definition;
    const TableField& f = image.fields[0];
    EXPECT_EQ(f.prefix, c.prefix) << c.definition;
    EXPECT_EQ(f.name, c.name) << c.definition;
    EXPECT_EQ(f.type, c.type) << c.definition;
    EXPECT_EQ(f.size, c.size) << c.definition;
    EXPECT_EQ(f.defaultText, c.defaultText) << c.definition;
    EXPECT_EQ(f.extraText, c.extraText) << c.definition;
    EXPECT_EQ(ParseTableImage(FormatTableImage(image)), image) << c.definition;
  }
}

TEST(TableImage, ABlankInAFieldNameIsWrittenAsUnderscore) {
  TableImage image;
  image.fields.push_back({"XXX", "My field", FieldType::String, 's', 50, "", ""});
  const std::string bytes = FormatTableImage(image);
  EXPECT_EQ(bytes, Image(0, 1, Definitions({"XXX.My_field s50"})));
  EXPECT_EQ(ParseTableImage(bytes).fields[0].name, "My_field");
}

TEST(TableImage, AbsentAndZeroValuesTakeOnlyTheirLengthByte) {
  TableImage image;
  image.fields = {{"XXX", "T", FieldType::String, 's', 20, "", ""},
                  {"XXX", "B", FieldType::Boolean, 'b', 0, "", ""},
                  {"XXX", "I", FieldType::Integer, 'i', 0, "", ""},
                  {"XXX", "F", FieldType::Double, 'f', 0, "", ""},
                  {"XXX", "G", FieldType::Graphic, 'g', 0, "", ""}};
  image.records.push_back(
      {RecordStatus::Inserted, {"", std::string(2, '\0'), std::string(4, '\0'), Double(-0.0), ""}});
  const std::string defs = Definitions({"XXX.T s20", "XXX.B b", "XXX.I i", "XXX.F f", "XXX.G g"});
  EXPECT_EQ(FormatTableImage(image), Image(1, 5, defs, std::string(5, '\0')));

  const TableImage back = ParseTableImage(FormatTableImage(image));
  ASSERT_EQ(back.records.size(), 1u);
  for (const std::string& value : back.records[0].values)
    EXPECT_EQ(value, "");
}

TEST(TableImage, PresentValuesAreStoredWithTheirLengths) {
  TableImage image;
  image.fields = {{"XXX", "T", FieldType::String, 's', 1000, "", ""},
                  {"XXX", "B", FieldType::Boolean, 'b', 0, "", ""},
                  {"XXX", "I", FieldType::Integer, 'i', 0, "", ""},
                  {"XXX", "S", FieldType::SmallStr, '9', 9, "", ""},
                  {"XXX", "G", FieldType::Graphic, 'g', 0, "", ""}};
  const std::string thousand(1000, 'x');
  image.records.push_back(
      {RecordStatus::Inserted, {thousand, "\x01\x00"s, Le32(-2), "abc", "\x00\xFF"s}});
  const std::string defs = Definitions({"XXX.T s1000", "XXX.B b", "XXX.I i", "XXX.S 9", "XXX.G g"});
  const std::string record = "\x04\x02\x04\x03\x04"s + Le32(1000) + thousand + "\x01\x00"s +
                             Le32(-2) + "abc" + Le32(2) + "\x00\xFF"s;
  EXPECT_EQ(FormatTableImage(image), Image(1, 5, defs, record));
  EXPECT_EQ(ParseTableImage(Image(1, 5, defs, record)).records[0].values, image.records[0].values);
}

TEST(TableImage, AShortFixedValueIsReadIntoTheStartOfItsSlot) {
  const std::string bytes = Image(1, 1, Definitions({"X.I i"}), "\x01\x07"s);
  EXPECT_EQ(ParseTableImage(bytes).records[0].values[0], "\x07\x00\x00\x00"s);
}

TEST(TableImage, TheNoteIsKeptAndWrittenBack) {
  const std::string defs = Definitions({"XXX.T s20"});
  const std::string empty = Image(0, 1, defs, "*" + Le16(5) + "hello");
  EXPECT_EQ(empty.size(), 20 + defs.size() + 5);
  TableImage image = ParseTableImage(empty);
  EXPECT_EQ(image.note, "hello");
  EXPECT_EQ(FormatTableImage(image), empty);

  const std::string withRecord = Image(1, 1, defs, "*" + Le16(2) + "hi" + "\x04"s + Le32(1) + "a");
  image = ParseTableImage(withRecord);
  EXPECT_EQ(image.note, "hi");
  EXPECT_EQ(image.records[0].values[0], "a");
  EXPECT_EQ(FormatTableImage(image), withRecord);
}

TEST(TableImage, AFirstRecordThatLooksLikeANoteIsReadBackAsARecord) {
  // A first length byte of 42 is the note marker "*" to a reader.
  TableImage image;
  image.fields = {{"XXX", "S", FieldType::SmallStr, 'x', 'x' - 'A' + 10, "", ""},
                  {"XXX", "T", FieldType::String, 's', 100, "", ""}};
  image.records.push_back({RecordStatus::Inserted, {std::string(42, 'a'), "b"}});
  const TableImage back = ParseTableImage(FormatTableImage(image));
  ASSERT_EQ(back.records.size(), 1u);
  EXPECT_EQ(back.records[0].values, image.records[0].values);
  EXPECT_EQ(back.note, "");
}

TEST(TableImage, DeletedAndDiscardedRecordsAreNotWritten) {
  TableImage image;
  image.fields = {{"XXX", "T", FieldType::String, 's', 20, "", ""}};
  for (RecordStatus status : {RecordStatus::Unchanged, RecordStatus::Deleted, RecordStatus::Changed,
                              RecordStatus::Discarded, RecordStatus::Inserted})
    image.records.push_back({status, {std::string(1, 'a' + static_cast<int>(status))}});
  const TableImage back = ParseTableImage(FormatTableImage(image));
  ASSERT_EQ(back.records.size(), 3u);
  EXPECT_EQ(back.records[0].values[0], "a");
  EXPECT_EQ(back.records[1].values[0], "b");
  EXPECT_EQ(back.records[2].values[0], "c");
}

TEST(TableImage, BadImagesFailWithTheirReason) {
  const std::string defs = RecordFileDefinitions();
  const std::string oneText = Definitions({"XXX.First s1000"});
  struct Case {
    const char* name;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"empty file", "", "Buffer structure corruption!"},
      {"only the length", Le32(4), "Buffer structure corruption!"},
      {"unknown kind", Le32(9) + "Q" + Le32(0), "Buffer structure corruption!"},
      {"error image", Le32(9) + "EDisk is full\0junk"s, "Disk is full"},
      {"error image without zero", Le32(9) + "EBad table", "Bad table"},
      {"enciphered", Le32(60) + "P" + std::string(55, '\x11'),
       "Enciphered (password protected) tables are not supported"},
      {"header cut short", Le32(9) + "S" + Le32(0) + Le32(10), "Buffer structure corruption!"},
      {"definitions too long", Image(0, 10, defs).replace(13, 4, Le32(100000)),
       "Buffer structure corruption!"},
      {"definitions past the end", Image(0, 10, defs).substr(0, 100),
       "Buffer structure corruption!"},
      {"negative record count", Image(-1, 10, defs), "Buffer structure corruption!"},
      {"negative field count", Image(0, -3, defs), "Buffer structure corruption!"},
      {"no terminators", Image(0, 2, "XXX.First s1000XXX.Second s1000"),
       "Error in buffer structure (field description section)"},
      {"empty definition", Image(0, 2, "\x12XXX.A s1\x12\x14"),
       "Error in buffer structure (field description section)"},
      {"more fields than definitions", Image(0, 3, Definitions({"X.A s", "X.B s"})),
       "Error in buffer structure (field description section)"},
      {"definition without type", Image(0, 1, Definitions({"XXX.First"})),
       "Buffer structure corruption!"},
      {"size not a number", Image(0, 1, Definitions({"XXX.First s1x"})),
       "Buffer structure corruption!"},
      {"records but no fields", Image(5, 0, "\x14"), "Buffer structure corruption!"},
      {"negative note length", Image(0, 1, oneText, "*" + Le16(-2) + "ab"),
       "Buffer structure corruption!"},
      {"note past the end", Image(0, 1, oneText, "*" + Le16(50) + "ab"),
       "Buffer structure corruption!"},
      {"fixed value too long", Image(1, 10, defs, "\0\0\0\0\0\0\0\0\x03\0xyz"s),
       "Field 'Ninth' has wrong length 3 in record 1"},
      {"counted value with length byte 2", Image(1, 10, defs, "\x02\0\0\0\0\0\0\0\0\0ab"s),
       "Field 'First' has wrong length 2 in record 1"},
      {"string count 8192", Image(1, 1, oneText, "\x04"s + Le32(8192) + std::string(8192, 'x')),
       "String field 'First' has wrong length 8192 in record 1"},
      {"negative string count", Image(1, 1, oneText, "\x04"s + Le32(-1)),
       "String field 'First' has wrong length -1 in record 1"},
      {"blob count too large", Image(1, 10, defs, "\0\0\0\0\0\0\0\0\0\x04"s + Le32(0x40000000)),
       "BLOB field 'Tenth' has wrong length 1073741824 in record 1"},
      {"blob count past the end", Image(1, 10, defs, "\0\0\0\0\0\0\0\0\0\x04"s + Le32(0x3FFFFFFF)),
       "Unexpected end of buffer"},
      {"record cut short", Image(1, 1, oneText, "\x04"s + Le32(10) + "abc"),
       "Unexpected end of buffer"},
      {"second record broken", Image(2, 1, oneText, "\x04"s + Le32(1) + "a" + "\x09"),
       "Field 'First' has wrong length 9 in record 2"},
      {"fewer records than declared", Image(2, 1, oneText, "\x04"s + Le32(1) + "a"),
       "Number of records read (1) does not match declared record count (2)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadError(c.bytes), c.reason) << c.name;
}

TEST(TableImage, TablesDeclaringMoreValuesThanTheLimitAreRefused) {
  // An absent value costs the file one length byte and the reader a string of its own, so a
  // file of nothing but empty records would take many times its size in memory.
  const std::int64_t limit = kMaxTableValues;
  const std::string oneFlag = Definitions({"XXX.Flag b"});
  const std::string defs = RecordFileDefinitions();
  const auto refusal = [](std::int64_t records, int fields) {
    return "Declared record count (" + std::to_string(records) + ") of " + std::to_string(fields) +
           " fields exceeds the limit of " + std::to_string(kMaxTableValues) + " values";
  };
  struct Case {
    const char* name;
    std::string bytes;
    std::string reason;
  } cases[] = {
      {"one field, at the limit", Image(limit, 1, oneFlag, std::string(limit, '\0')), "<no error>"},
      {"one field, one record past the limit",
       Image(limit + 1, 1, oneFlag, std::string(limit + 1, '\0')), refusal(limit + 1, 1)},
      {"ten fields, at the limit", Image(limit / 10, 10, defs, std::string(limit / 10 * 10, '\0')),
       "<no error>"},
      {"ten fields, one record past the limit",
       Image(limit / 10 + 1, 10, defs, std::string((limit / 10 + 1) * 10, '\0')),
       refusal(limit / 10 + 1, 10)},
      {"the largest count, one record present", Image(0x7FFFFFFF, 10, defs, std::string(10, '\0')),
       refusal(0x7FFFFFFF, 10)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadError(c.bytes), c.reason) << c.name;
}

TEST(TableImage, AStringOfExactly8191BytesAndTrailingBytesAreAccepted) {
  const std::string oneText = Definitions({"XXX.First s9000"});
  const std::string text(8191, 'q');
  const TableImage image =
      ParseTableImage(Image(1, 1, oneText, "\x04"s + Le32(8191) + text + "trailing"));
  EXPECT_EQ(image.records[0].values[0], text);
}

} // namespace
} // namespace quarbel
