#include "tablestore/record_table.h"

#include "records/record_fields.h"
#include "support/test_support.h"
#include "tablestore/image_bytes.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace quarbel {
namespace {

using namespace testing;
using namespace std::string_literals;

class RecordTableTest : public ::testing::Test {
protected:
  // A record file on disk with the given image; the table is named after it.
  std::string FileWith(const std::string& image, const std::string& name = "t.QCD") {
    WriteBytes(dir / name, image);
    return (dir / name).string();
  }
  std::string Template() { return FileWith(FormatTableImage(EmptyRecordTable())); }

  TempDir dir;
  TRecordTable table{"RecordTable1", RecordFileFields()};
};

TEST_F(RecordTableTest, AnEmptyTableReadsAsNothing) {
  table.SetTableName(Template());
  EXPECT_EQ(table.GetLoadMode(), LoadMode::File);
  table.Open();
  EXPECT_TRUE(table.Active());
  EXPECT_EQ(table.RecordCount(), 0);
  EXPECT_EQ(table.FieldByName("First").AsString(), "");
  EXPECT_FALSE(table.FieldByName("Ninth").AsBoolean());
  std::ostringstream blob;
  table.FieldByName("Tenth").SaveToStream(blob);
  EXPECT_EQ(blob.str(), "");
  EXPECT_EQ(table.PendingChanges(), 0);
}

TEST_F(RecordTableTest, InsertPostAndWriteGiveTheRecordFile) {
  const std::string path = Template();
  int posts = 0;
  table.AfterPost = [&](TRecordTable& t) {
    ++posts;
    t.SaveToFile();
  };
  table.SetTableName(path);
  table.Open();
  table.Insert();
  EXPECT_EQ(table.State(), TableState::Insert);
  EXPECT_EQ(table.PendingChanges(), 1);
  table.FieldByName("first").SetAsString("Uni");
  table.FieldByName("Ninth").SetAsBoolean(true);
  std::istringstream picture("GIF89a...");
  picture.seekg(3); // the whole stream is taken, from its beginning
  table.FieldByName("Tenth").LoadFromStream(picture);
  table.Post();
  EXPECT_EQ(posts, 1);
  EXPECT_EQ(table.PendingChanges(), 0);
  table.Close();

  const std::string expected =
      Image(1, 10, RecordFileDefinitions(),
            "\x04\0\0\0\0\0\0\0\x02\x04"s + Le32(3) + "Uni" + "\x01\x00"s + Le32(9) + "GIF89a...");
  EXPECT_EQ(ReadFileBytes(path), expected);

  table.Open();
  EXPECT_EQ(table.RecordCount(), 1);
  EXPECT_EQ(table.FieldByName("First").AsString(), "Uni");
  EXPECT_TRUE(table.FieldByName("Ninth").AsBoolean());
}

TEST_F(RecordTableTest, PostingWithoutWritingLeavesTheFileAlone) {
  const std::string path = Template();
  const std::string before = ReadFileBytes(path);
  table.SetTableName(path);
  table.Open();
  table.Insert();
  table.FieldByName("First").SetAsString("x");
  table.Post();
  EXPECT_EQ(table.RecordCount(), 1);
  table.Close();
  EXPECT_EQ(ReadFileBytes(path), before);

  // Reopening reads the file afresh.
  table.Open();
  EXPECT_EQ(table.RecordCount(), 0);
  // A cancelled insert leaves nothing to write.
  table.Insert();
  table.Cancel();
  EXPECT_EQ(table.PendingChanges(), 0);
  table.SaveToFile();
  EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(RecordTableTest, TextsAreCutAtTheFieldSizeAndAtAZeroByte) {
  const std::string smaller = FileWith(
      Image(0, 10,
            Definitions({"XXX.FIRST s500", "XXX.Second s1000", "XXX.Third s1000",
                         "XXX.Fourth s1000", "XXX.Fifth s1000", "XXX.Sixth s1000",
                         "XXX.Seventh s1000", "XXX.Eighth s1000", "XXX.Ninth b", "XXX.Tenth o"})),
      "small.QCD");
  table.SetTableName(Template());
  table.Open();
  table.Insert();
  table.FieldByName("Second").SetAsString(std::string(1500, 'a'));
  EXPECT_EQ(table.FieldByName("Second").AsString(), std::string(1000, 'a'));
  table.FieldByName("Third").SetAsString("ab\0cd"s);
  EXPECT_EQ(table.FieldByName("Third").AsString(), "ab");

  // A file field that is smaller than declared, named in other letter case, limits the text;
  // a BLOB file field serves the declared picture field.
  table.SetTableName(smaller);
  EXPECT_FALSE(table.Active());
  table.Open();
  table.Insert();
  table.FieldByName("First").SetAsString(std::string(1500, 'b'));
  EXPECT_EQ(table.FieldByName("First").AsString(), std::string(500, 'b'));
}

TEST_F(RecordTableTest, ErrorsCarryTheObjectName) {
  const std::string missing = (dir / "missing.QCD").string();
  table.SetTableName(missing);
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), "RecordTable1: Error opening file " + missing);

  table.SetTableName(FileWith("\x10\0\0\0Xgarbage"s, "bad.QCD"));
  EXPECT_EQ(ErrorOf([&] { table.Open(); }),
            "RecordTable1: Error opening table: Buffer structure corruption!");
  EXPECT_FALSE(table.Active());
  EXPECT_EQ(table.TableName(), (dir / "bad.QCD").string());

  table.SetTableName(FileWith(Image(0, 1, Definitions({"XXX.First s1000"})), "few.QCD"));
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), "RecordTable1: Field 'Second' not found");

  std::string defs = RecordFileDefinitions();
  defs.replace(defs.find("XXX.Ninth b"), 11, "XXX.Ninth s");
  table.SetTableName(FileWith(Image(0, 10, defs), "mismatch.QCD"));
  EXPECT_EQ(ErrorOf([&] { table.Open(); }),
            "RecordTable1: Type mismatch for field 'Ninth', expecting: Boolean actual: String");

  table.SetTableName(Template());
  table.Open();
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("First").SetAsString("x"); }),
            "RecordTable1: Table is not in edit or insert mode");
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("Eleventh"); }),
            "RecordTable1: Field 'Eleventh' not found");
  table.Insert();
  table.FieldByName("Tenth").SetReadOnly(true);
  std::istringstream bytes("x");
  EXPECT_EQ(ErrorOf([&] { table.FieldByName("Tenth").LoadFromStream(bytes); }),
            "RecordTable1: Field 'Tenth' is read only!");

  TRecordTable bare("RecordTable2", {});
  EXPECT_EQ(bare.GetLoadMode(), LoadMode::Clear);
  EXPECT_EQ(ErrorOf([&] { bare.Open(); }),
            "RecordTable2: Error creating table (no field descriptions)");
}

TEST_F(RecordTableTest, AFileAboveTheSizeLimitIsRefusedWithItsName) {
  ASSERT_EQ(table.MaxFileSize(), kMaxTableFileSize);
  ASSERT_EQ(kMaxTableFileSize, 64u << 20);
  const std::string empty = Template(); // 175 bytes
  // A good table followed by zeros up to one byte past the limit; the file is sparse, so
  // nothing of that size is written.
  const std::string huge = FileWith(FormatTableImage(EmptyRecordTable()), "huge.QCD");
  std::filesystem::resize_file(huge, kMaxTableFileSize + 1);
  struct Case {
    std::string path;
    std::uintmax_t limit;
    std::string error;
  } cases[] = {
      {huge, kMaxTableFileSize,
       "RecordTable1: Файл \"" + huge +
           "\" завеликий (67108865 Б): таблиця записів читає файли до 64 МБ"},
      {empty, 174,
       "RecordTable1: Файл \"" + empty +
           "\" завеликий (175 Б): таблиця записів читає файли до 174 Б"},
      {empty, 175, "<no error>"},
  };
  for (const Case& c : cases) {
    table.SetTableName(c.path);
    table.SetMaxFileSize(c.limit);
    EXPECT_EQ(ErrorOf([&] { table.Open(); }), c.error) << c.path << " " << c.limit;
    EXPECT_EQ(table.Active(), c.error == "<no error>") << c.path << " " << c.limit;
    table.Close();
  }
}

TEST_F(RecordTableTest, ATableBuiltFromItsFieldsHoldsRecordsInMemory) {
  table.SetTableName("");
  table.Open();
  table.Insert();
  table.FieldByName("Fifth").SetAsString("five");
  table.Post();
  EXPECT_EQ(table.RecordCount(), 1);
  EXPECT_EQ(table.FieldByName("Fifth").AsString(), "five");
  table.SaveToFile(); // nothing to write to: no file
  table.Edit();
  table.FieldByName("Fifth").SetAsString("5");
  table.Post();
  EXPECT_EQ(table.FieldByName("Fifth").AsString(), "5");
}

TEST_F(RecordTableTest, RenamingTheTableDropsAnInsertInProgress) {
  const std::string path = Template();
  table.SetTableName(path);
  table.Open();
  table.Insert();
  table.SetTableName(path); // the same name changes nothing
  EXPECT_EQ(table.State(), TableState::Insert);
  table.SetTableName((dir / "other.QCD").string());
  EXPECT_FALSE(table.Active());
  EXPECT_EQ(table.PendingChanges(), 0);
}

TEST_F(RecordTableTest, AFailedWriteKeepsTheTableOpenAndUnchanged) {
  const std::string path = Template();
  table.SetTableName(path);
  table.Open();
  table.Insert();
  table.FieldByName("First").SetAsString("kept");
  table.Post();
  std::filesystem::remove(path);
  std::filesystem::create_directory(path); // the file's place is taken by a folder
  EXPECT_NE(ErrorOf([&] { table.SaveToFile(); }), "<no error>");
  EXPECT_TRUE(table.Active());
  EXPECT_EQ(table.RecordCount(), 1);
  EXPECT_EQ(table.PendingChanges(), 1);
  EXPECT_EQ(table.FieldByName("First").AsString(), "kept");
}

} // namespace
} // namespace quarbel
