// Feeds arbitrary bytes to the record file reader, as a file on disk read as a title page and
// as an author record. It must give a record or fail with the table's message; a record it
// gives must survive being saved into the record template and read again.
#include "records/record_fields.h"
#include "records/record_file.h"
#include "tablestore/table_image.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

using namespace quarbel;
namespace fs = std::filesystem;

// A folder of the process's own for the record file, the template and the saved copy; in
// memory when the system offers a memory file system.
struct Files {
  Files() {
    std::error_code error;
    const fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string name = (base / "quarbel-record-fuzz-XXXXXX").string();
    if (!::mkdtemp(name.data()))
      std::abort();
    folder = name;
    record = folder / "Record.QCD";
    templatePath = folder / "Data Base.QCD";
    saved = folder / "Saved.QCD";
    WriteFileBytes(templatePath, FormatTableImage(EmptyRecordTable()));
  }
  ~Files() {
    std::error_code error;
    fs::remove_all(folder, error);
  }

  fs::path folder, record, templatePath, saved;
};

// What a record reads back as once saved: texts cut after the size of the template's fields.
RecordValue AsSaved(RecordValue value) {
  for (std::string& text : value.texts)
    text.resize(std::min<size_t>(text.size(), kRecordTextSize));
  return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Files files;
  WriteFileBytes(files.record, std::string_view(reinterpret_cast<const char*>(data), size));
  for (const RecordKind kind : {RecordKind::TitlePage, RecordKind::Author}) {
    RecordValue value;
    try {
      value = OpenRecordFile(files.record, kind);
    } catch (const Error& e) {
      if (std::string_view(e.what()).substr(0, 14) != "RecordTable1: ")
        std::abort();
      continue;
    }
    if (kind == RecordKind::Author && !value.texts[6].empty())
      std::abort();
    if (value.picture && value.picture->extension != ".bmp" && value.picture->extension != ".gif" &&
        value.picture->extension != ".jpg")
      std::abort();
    SaveRecordFile(files.templatePath, files.saved, kind, value);
    if (OpenRecordFile(files.saved, kind) != AsSaved(value))
      std::abort();
  }
  return 0;
}
