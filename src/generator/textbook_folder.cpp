#include "generator/textbook_folder.h"

#include "generator/textbook_text.h"
#include "text/file_bytes.h"

#include <vector>

namespace quarbel {
namespace fs = std::filesystem;

namespace {

const char* const kSubfolders[] = {"img", "other"};

// False when the folder exists but cannot be read through.
bool ListInto(const fs::path& folder, std::set<fs::path>& entries) {
  std::error_code error;
  if (!fs::exists(folder, error))
    return true;
  fs::directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error))
    entries.insert(it->path());
  return !error;
}

} // namespace

TextbookFolder::TextbookFolder(fs::path folder) : folder_(std::move(folder)) {
  canClean_ = ListInto(folder_, before_);
  wasEmpty_ = canClean_ && before_.empty();
  for (const char* sub : kSubfolders)
    canClean_ = ListInto(folder_ / sub, before_) && canClean_;
}

fs::path TextbookFolder::operator/(std::string_view relative) const {
  return folder_ / relative;
}

void TextbookFolder::Prepare() {
  fs::create_directories(folder_ / "img");
}

void TextbookFolder::CreateFolder(std::string_view relative) {
  fs::create_directories(folder_ / relative);
}

void TextbookFolder::WriteText(std::string_view relative, std::string_view text,
                               const std::string& encoding) const {
  WriteFileBytes(folder_ / relative, EncodeForTextbook(text, encoding));
}

std::string TextbookFolder::ReadText(std::string_view relative, const std::string& encoding) const {
  return DecodeFromTextbook(ReadFileBytes(folder_ / relative), encoding);
}

void TextbookFolder::WriteBytes(std::string_view relative, std::string_view bytes) const {
  WriteFileBytes(folder_ / relative, bytes);
}

void TextbookFolder::CopyIfAbsent(const fs::path& source, std::string_view relative) const {
  std::error_code error;
  fs::copy_file(source, folder_ / relative, fs::copy_options::skip_existing, error);
}

void TextbookFolder::RemoveWhatWasMade() const {
  std::error_code error;
  if (!canClean_)
    return; // what is ours cannot be told from what is the user's
  if (wasEmpty_) {
    fs::remove_all(folder_, error);
    return;
  }
  std::vector<fs::path> made;
  for (const char* sub : kSubfolders) {
    std::set<fs::path> now;
    ListInto(folder_ / sub, now);
    for (const fs::path& entry : now) {
      if (!before_.count(entry))
        made.push_back(entry);
    }
  }
  std::set<fs::path> now;
  ListInto(folder_, now);
  for (const fs::path& entry : now) {
    if (!before_.count(entry))
      made.push_back(entry);
  }
  // Entries inside img/ and other/ go first, then what was made at the top (new img/ or
  // other/ folders included).
  for (const fs::path& entry : made)
    fs::remove_all(entry, error);
}

} // namespace quarbel
