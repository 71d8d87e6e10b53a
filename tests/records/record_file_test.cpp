#include "records/record_file.h"

#include "records/record_fields.h"
#include "support/test_support.h"
#include "tablestore/image_bytes.h"
#include "tablestore/table_image.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace quarbel {
namespace {

using namespace testing;
using namespace std::string_literals;

class RecordFileTest : public ::testing::Test {
protected:
  RecordFileTest() {
    std::filesystem::create_directory(dir / "Data Base");
    WriteBytes(templatePath, FormatTableImage(EmptyRecordTable()));
  }

  static RecordValue TitlePage() {
    RecordValue v;
    v.texts = {W("Київський університет"),
               W("Фізичний факультет"),
               W("Кафедра оптики"),
               W("Оптика"),
               W("Лінзи"),
               W("Іваненко І. І., доцент\r\nПетренко П. П."),
               W("Київ 2026")};
    v.checked = true;
    v.picture = RecordPicture{"\xFF\xD8\xFF\xE0 jpeg bytes \xFF\xD9"s, ".jpeg"};
    return v;
  }

  TempDir dir;
  const std::filesystem::path templatePath = dir / "Data Base" / "Data Base.QCD";
};

TEST_F(RecordFileTest, ATitlePageRecordComesBackEqual) {
  const auto file = dir / "Титул.QCD";
  SaveRecordFile(templatePath, file, RecordKind::TitlePage, TitlePage());
  RecordValue expected = TitlePage();
  expected.picture->extension = ".jpg"; // a .jpeg picture comes back as .jpg
  EXPECT_EQ(OpenRecordFile(file, RecordKind::TitlePage), expected);
}

TEST_F(RecordFileTest, TheFileHoldsExactlyTheTemplateAndOneRecord) {
  RecordValue v;
  v.texts[University] = "U";
  v.texts[Authors] = "A\r\nB";
  v.checked = false;
  v.picture = RecordPicture{"GIF89a", ".gif"};
  const auto file = dir / "a.QCD";
  SaveRecordFile(templatePath, file, RecordKind::TitlePage, v);
  const std::string record = "\x04\0\0\0\0\x04\0\x04\0\x04"s + Le32(1) + "U" + Le32(4) + "A\r\nB" +
                             Le32(4) + ".GIF" + Le32(6) + "GIF89a";
  EXPECT_EQ(ReadFileBytes(file), Image(1, 10, RecordFileDefinitions(), record));
}

TEST_F(RecordFileTest, ARecordWithoutPictureStoresNoExtensionNoPictureAndFalse) {
  RecordValue v;
  v.texts[Surname] = "S";
  const auto file = dir / "a.QCD";
  SaveRecordFile(templatePath, file, RecordKind::Author, v);
  EXPECT_EQ(ReadFileBytes(file),
            Image(1, 10, RecordFileDefinitions(), "\x04"s + std::string(9, '\0') + Le32(1) + "S"));
}

TEST_F(RecordFileTest, PictureExtensionsDecideWhatIsStoredAndLoaded) {
  struct Case {
    const char* extension;
    const char* stored;
    std::optional<std::string> loaded;
  } cases[] = {
      {".bmp", ".BMP", ".bmp"},   {".Gif", ".GIF", ".gif"},       {".jpg", ".JPG", ".jpg"},
      {".jpeg", ".JPEG", ".jpg"}, {".png", ".PNG", std::nullopt},
  };
  for (const Case& c : cases) {
    RecordValue v;
    v.checked = true;
    v.picture = RecordPicture{"picture", c.extension};
    const auto file = dir / "p.QCD";
    SaveRecordFile(templatePath, file, RecordKind::Author, v);
    const TableImage image = ParseTableImage(ReadFileBytes(file));
    EXPECT_EQ(image.records[0].values[7], c.stored) << c.extension;
    EXPECT_EQ(image.records[0].values[9], c.loaded ? "picture" : "") << c.extension;

    const RecordValue back = OpenRecordFile(file, RecordKind::Author);
    EXPECT_TRUE(back.checked);
    if (c.loaded) {
      ASSERT_TRUE(back.picture.has_value()) << c.extension;
      EXPECT_EQ(back.picture->extension, *c.loaded);
      EXPECT_EQ(back.picture->bytes, "picture");
    } else {
      EXPECT_FALSE(back.picture.has_value()) << c.extension;
    }
  }
}

TEST_F(RecordFileTest, TextsAreCutAfter1000Bytes) {
  RecordValue v = TitlePage();
  v.texts[Authors] = std::string(1500, 'a');
  const auto file = dir / "a.QCD";
  SaveRecordFile(templatePath, file, RecordKind::TitlePage, v);
  EXPECT_EQ(OpenRecordFile(file, RecordKind::TitlePage).texts[Authors], std::string(1000, 'a'));
}

TEST_F(RecordFileTest, RecordsAreReadByPosition) {
  RecordValue author;
  author.texts = {W("Іваненко"), W("Іван"), W("Іванович"),       W("доцент"),
                  W("пошта"),    W("інше"), W("не зберігається")};
  const auto file = dir / "author.QCD";
  SaveRecordFile(templatePath, file, RecordKind::Author, author);

  const RecordValue asTitle = OpenRecordFile(file, RecordKind::TitlePage);
  EXPECT_EQ(U(asTitle.texts[University]), "Іваненко");
  EXPECT_EQ(U(asTitle.texts[Authors]), "інше");
  EXPECT_EQ(asTitle.texts[CityAndDate], ""); // an author record keeps no seventh text

  // A title page read as an author leaves the seventh text out.
  SaveRecordFile(templatePath, file, RecordKind::TitlePage, TitlePage());
  EXPECT_EQ(OpenRecordFile(file, RecordKind::Author).texts[6], "");
}

TEST_F(RecordFileTest, TheTemplateItselfOpensAsAnEmptyRecord) {
  EXPECT_EQ(OpenRecordFile(templatePath, RecordKind::TitlePage), RecordValue{});
}

TEST_F(RecordFileTest, SavingReplacesTheWholeOldFile) {
  const auto file = dir / "a.QCD";
  SaveRecordFile(templatePath, file, RecordKind::TitlePage, TitlePage());
  RecordValue second;
  second.texts[University] = "second";
  SaveRecordFile(templatePath, file, RecordKind::TitlePage, second);
  const TableImage image = ParseTableImage(ReadFileBytes(file));
  ASSERT_EQ(image.records.size(), 1u);
  EXPECT_EQ(OpenRecordFile(file, RecordKind::TitlePage), second);
}

TEST_F(RecordFileTest, ASaveThatFailsMidwayLeavesTheTeachersRecordWhole) {
  const auto file = dir / "mine.QCD";
  SaveRecordFile(templatePath, file, RecordKind::TitlePage, TitlePage());
  const std::string before = ReadFileBytes(file);
  // A damaged template fails once the record is being built from it.
  WriteBytes(templatePath, "not a record table");
  RecordValue second;
  second.texts[University] = "second";
  EXPECT_NE(ErrorOf([&] { SaveRecordFile(templatePath, file, RecordKind::TitlePage, second); }),
            "<no error>");
  EXPECT_EQ(ReadFileBytes(file), before);
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++entries;
  EXPECT_EQ(entries, 2u) << "the record and the template folder, no half-made file";
}

TEST_F(RecordFileTest, AMissingTemplateIsReportedAndNothingIsWritten) {
  std::filesystem::remove(templatePath);
  const auto fresh = dir / "new.QCD";
  const auto existing = dir / "old.QCD";
  WriteBytes(existing, "old contents");
  for (const auto& target : {fresh, existing}) {
    EXPECT_EQ(
        ErrorOf([&] { SaveRecordFile(templatePath, target, RecordKind::TitlePage, TitlePage()); }),
        "Не знайдено шаблон файлу записів \"" + templatePath.string() +
            "\".\r\nФайл не збережено. Перевстановіть програму.");
  }
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(ReadFileBytes(existing), "old contents");
}

TEST_F(RecordFileTest, DamagedAndForeignFilesAreReportedThroughTheTable) {
  const auto damaged = dir / "damaged.QCD";
  WriteBytes(damaged, Le32(20) + "S" + Le32(1) + Le32(10) + Le32(999999));
  EXPECT_EQ(ErrorOf([&] { OpenRecordFile(damaged, RecordKind::TitlePage); }),
            "RecordTable1: Error opening table: Buffer structure corruption!");

  const auto foreign = dir / "foreign.QCD";
  WriteBytes(foreign, Image(0, 2, Definitions({"XXX.First s1000", "XXX.Second s1000"})));
  EXPECT_EQ(ErrorOf([&] { OpenRecordFile(foreign, RecordKind::Author); }),
            "RecordTable1: Field 'Third' not found");

  const auto missing = dir / "missing.QCD";
  EXPECT_EQ(ErrorOf([&] { OpenRecordFile(missing, RecordKind::Author); }),
            "RecordTable1: Error opening file " + missing.string());
}

} // namespace
} // namespace quarbel
