#pragma once

#include "prompts/prompts.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quarbel {

// The Styles folder of the program folder: style sheets listed by name without extension,
// added, renamed and deleted by the styles window. Names are Windows-1251.
class StyleFolder {
public:
  explicit StyleFolder(std::filesystem::path folder, std::filesystem::path shipped = {})
      : folder_(std::move(folder)), shipped_(std::move(shipped)) {}

  const std::filesystem::path& Folder() const { return folder_; }

  // The names of the folder's ".css" files (any letter case) without the extension, in the
  // order the file system lists them, then those of the shipped folder (when there is one)
  // that the folder has no style of the same name for. A missing folder lists nothing; a
  // name that Windows-1251 cannot hold is left out, since the program could not name it.
  std::vector<std::string> List() const;

  // A style that comes only from the shipped folder: it is offered, never changed.
  bool IsShipped(const std::string& name) const;

  // The Windows-1251 path of a listed style: name + ".css", or the file of that name whose
  // extension differs only in letter case.
  std::string PathOf(const std::string& name) const;

  // Copies the chosen files into the folder, their extensions lower-cased. An existing style
  // is replaced only when the user says so and the list is then left as it is; a new one is
  // appended to `list`. A missing file is reported and ends the run.
  void Add(const std::vector<std::filesystem::path>& files, Prompts& prompts,
           std::vector<std::string>& list) const;

  // Moves the style's file to the new name; false when it could not (the new name is taken
  // or the move failed). Never replaces another file.
  bool Rename(const std::string& from, const std::string& to) const;

  // Deletes the style's file; a file already gone counts as deleted. Throws Error when the
  // file stays.
  void Remove(const std::string& name) const;

  // Deletes every style file of the folder. Throws Error naming the first that stays, after
  // trying them all.
  void Clear() const;

private:
  std::filesystem::path FileOf(const std::string& name) const;
  std::filesystem::path folder_;
  std::filesystem::path shipped_; // read-only style sheets of an installed program
};

// The next entry equal to `text` (letter case counts) from the entry after `selected`
// forward or before it backward, with no wrap-around; -1 when there is none. With nothing
// selected (-1) the scan starts at the first entry in both directions.
int SearchList(const std::vector<std::string>& list, int selected, const std::string& text,
               bool forward);

} // namespace quarbel
