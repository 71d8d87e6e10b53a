#include "records/record_file.h"

#include "records/record_fields.h"
#include "tablestore/record_table.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <sstream>

namespace quarbel {
namespace {

constexpr const char* kTextFields[] = {"First", "Second", "Third",  "Fourth",
                                       "Fifth", "Sixth",  "Seventh"};

// Texts a record of the kind carries: seven for a title page, six for an author.
size_t TextCount(RecordKind kind) {
  return kind == RecordKind::TitlePage ? 7 : 6;
}

bool IsStoredPictureExtension(const std::string& upper) {
  return upper == ".BMP" || upper == ".GIF" || upper == ".JPG" || upper == ".JPEG";
}

} // namespace

std::optional<std::string> PictureExtensionFromStored(const std::string& stored) {
  const std::string upper = UpperCaseText(stored);
  if (upper == ".BMP")
    return ".bmp";
  if (upper == ".GIF")
    return ".gif";
  if (upper == ".JPG" || upper == ".JPEG")
    return ".jpg";
  return std::nullopt;
}

void SaveRecordFile(const std::filesystem::path& templatePath, const std::filesystem::path& target,
                    RecordKind kind, const RecordValue& value) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(templatePath, error))
    throw Error(Cp1251FromUtf8("Не знайдено шаблон файлу записів \"") +
                PathForMessage(templatePath) +
                Cp1251FromUtf8("\".\r\nФайл не збережено. Перевстановіть програму."));
  // The record is built completely in a file of its own beside the target and then renamed
  // over it: a failure midway never leaves a template where the teacher's record was.
  const std::filesystem::path temporary =
      target.parent_path() / ("." + target.filename().string() + ".new");
  try {
    ReplaceFileBytes(temporary, ReadFileBytes(templatePath));
    TRecordTable table(kRecordTableName, RecordFileFields());
    table.AfterPost = [](TRecordTable& posted) { posted.SaveToFile(); };
    table.SetTableName(PathText(temporary));
    table.Open();
    table.Insert();
    for (size_t i = 0; i < TextCount(kind); ++i)
      table.FieldByName(kTextFields[i]).SetAsString(value.texts[i]);

    const std::string extension =
        value.picture ? UpperCaseText(value.picture->extension) : std::string();
    table.FieldByName("Eighth").SetAsString(extension);
    table.FieldByName("Ninth").SetAsBoolean(value.checked);
    if (IsStoredPictureExtension(extension)) {
      std::istringstream bytes(value.picture->bytes);
      table.FieldByName("Tenth").LoadFromStream(bytes);
    }
    table.Post();
    table.Close();
    ReplaceFileBytes(target, ReadFileBytes(temporary));
  } catch (...) {
    std::filesystem::remove(temporary, error);
    throw;
  }
  std::filesystem::remove(temporary, error);
}

RecordValue OpenRecordFile(const std::filesystem::path& path, RecordKind kind) {
  TRecordTable table(kRecordTableName, RecordFileFields());
  table.SetTableName(PathText(path));
  table.Open();

  RecordValue value;
  for (size_t i = 0; i < TextCount(kind); ++i)
    value.texts[i] = table.FieldByName(kTextFields[i]).AsString();
  const std::string stored = table.FieldByName("Eighth").AsString();
  value.checked = table.FieldByName("Ninth").AsBoolean();
  if (const auto extension = PictureExtensionFromStored(stored)) {
    std::ostringstream bytes;
    table.FieldByName("Tenth").SaveToStream(bytes);
    value.picture = RecordPicture{bytes.str(), *extension};
  }
  table.Close();
  return value;
}

} // namespace quarbel
