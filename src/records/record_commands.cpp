#include "records/record_commands.h"

#include "text/cp1251.h"
#include "text/error.h"

namespace quarbel {
namespace {

const char* const kRecordFilter = "Файли Quarbel Vorizareda Data Base (*.QCD)";

} // namespace

void RecordCommands::Save(RecordKind kind, const RecordValue& value) {
  const auto file = prompts_->ChooseFileToSave(
      [this] { return prompts_->ChooseSaveFile(Cp1251FromUtf8(kRecordFilter), "QCD"); });
  if (file)
    SaveRecordFile(templatePath_, *file, kind, value);
}

std::optional<RecordValue>
RecordCommands::Open(RecordKind kind,
                     const std::function<bool(const RecordPicture&)>& pictureReadable) {
  const auto file = prompts_->ChooseOpenFile(Cp1251FromUtf8(kRecordFilter));
  if (!file)
    return std::nullopt;
  std::error_code error;
  if (!std::filesystem::is_regular_file(*file, error)) {
    prompts_->Warning(Cp1251FromUtf8("Не вдалося знайти зазначений файл !"));
    return std::nullopt;
  }
  RecordValue value = OpenRecordFile(*file, kind);
  if (value.picture && !pictureReadable(*value.picture))
    throw Error(Cp1251FromUtf8("Не вдалося прочитати зображення з файлу запису"));
  return value;
}

} // namespace quarbel
