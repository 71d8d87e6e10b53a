#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

// Record files (.QCD): one title page record or one author record in a record table of ten
// fields. A file does not say which kind it holds; both kinds read any record file, field
// by field.
namespace quarbel {

enum class RecordKind { TitlePage, Author };

// Positions of the texts of each kind in a record.
enum TitlePageText { University, Faculty, Department, Discipline, Topic, Authors, CityAndDate };
enum AuthorText { Surname, FirstName, Patronymic, Regalia, Contacts, Supplementary };

// A picture as the dialogs keep it: the bytes of the file it came from and that file's
// extension (".bmp", ".gif", ".jpg", ".jpeg", in any letter case).
struct RecordPicture {
  std::string bytes;
  std::string extension;

  bool operator==(const RecordPicture&) const = default;
};

// The contents of one record. Texts are Windows-1251, lines separated by CR LF. An author
// record has six texts; its seventh is always empty.
struct RecordValue {
  std::array<std::string, 7> texts;
  bool checked = false;                 // the logo or photo check box
  std::optional<RecordPicture> picture; // the logo or photo, when there is one

  bool operator==(const RecordValue&) const = default;
};

// The name of the object through which record files are read and written, as messages
// show it.
inline constexpr const char* kRecordTableName = "RecordTable1";

// Writes a record file at `target` from the record template: texts cut after 1000 bytes,
// the picture extension stored upper-cased and the picture's bytes stored when the
// extension names a BMP, GIF or JPEG file. A missing template is reported and nothing is
// written. Throws Error.
void SaveRecordFile(const std::filesystem::path& templatePath, const std::filesystem::path& target,
                    RecordKind kind, const RecordValue& value);

// Reads the first record of a record file. A file without a record gives empty texts and an
// unchecked box. The picture comes back when the stored extension names a known format,
// with the extension the dialogs use: ".bmp", ".gif" or ".jpg" (".JPEG" too gives ".jpg").
// Throws Error, with "RecordTable1: " in front of the table store's reasons.
RecordValue OpenRecordFile(const std::filesystem::path& path, RecordKind kind);

// ".BMP" -> ".bmp", ".GIF" -> ".gif", ".JPG" and ".JPEG" -> ".jpg"; nothing for others.
std::optional<std::string> PictureExtensionFromStored(const std::string& stored);

} // namespace quarbel
