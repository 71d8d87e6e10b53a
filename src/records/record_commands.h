#pragma once

#include "prompts/prompts.h"
#include "records/record_file.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace quarbel {

// The record file commands of the title page and author windows' buttons: save a record
// through the save chooser (asking before replacing a file) and open one through the open
// chooser.
class RecordCommands {
public:
  RecordCommands(Prompts& prompts, std::filesystem::path templatePath)
      : prompts_(&prompts), templatePath_(std::move(templatePath)) {}

  void SetPrompts(Prompts& prompts) { prompts_ = &prompts; }

  // Writes `value` into the file the teacher chooses; nothing when the chooser is cancelled.
  // Throws Error.
  void Save(RecordKind kind, const RecordValue& value);

  // Reads the record file the teacher chooses; nothing when the chooser is cancelled or the
  // file is gone (which is said). A picture that `pictureReadable` cannot read fails the
  // command. Throws Error.
  std::optional<RecordValue> Open(RecordKind kind,
                                  const std::function<bool(const RecordPicture&)>& pictureReadable);

private:
  Prompts* prompts_;
  std::filesystem::path templatePath_;
};

} // namespace quarbel
