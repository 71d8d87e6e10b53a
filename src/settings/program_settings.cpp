#include "settings/program_settings.h"

#include "settings/ini_file.h"
#include "settings/look_settings.h"
#include "settings/recent_files.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <algorithm>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

struct PageKeys {
  const char* section;
  const char* toggle;               // in Options
  const char* save;                 // in Options
  std::array<const char*, 7> texts; // nullptr: not kept
  std::array<bool, 7> multiLine;
  const char* picture; // the check box key, and the name of the picture file in IMG
};

const PageKeys kTitle = {
    "Title",
    "TDown",
    "SaveTitle",
    {"University", "Faculty", "Department", "Name", "Topic", "Authors", "CityAndYear"},
    {false, false, false, false, false, true, false},
    "Logo"};
const PageKeys kAuthor = {
    "About",
    "ADown",
    "SaveAbout",
    {"SurName", "Name", "PatName", "Regalia", "ContactInformation", "Supplementary", nullptr},
    {false, false, false, false, true, true, false},
    "Photo"};

StoredPage ReadPage(const IniFile& ini, const PageKeys& keys, const fs::path& img) {
  StoredPage page;
  page.save = ini.ReadBool("Options", keys.save, true);
  page.toggle = page.save && ini.ReadBool("Options", keys.toggle, true);
  for (size_t i = 0; i < keys.texts.size(); ++i) {
    if (!keys.texts[i])
      continue;
    const std::string value = ini.ReadString(keys.section, keys.texts[i]);
    page.texts[i] = keys.multiLine[i] ? SplitMemoLines(value) : value;
  }
  page.pictureChecked = ini.ReadBool(keys.section, keys.picture, true);
  page.extension = ini.ReadString(keys.section, "Extension");
  if (page.pictureChecked && !page.extension.empty()) {
    try {
      page.pictureBytes = ReadFileBytes(img / (std::string(keys.picture) + page.extension));
    } catch (const Error&) {
      // A stored picture that is gone is left out.
    }
  }
  return page;
}

void WritePage(IniFile& ini, const PageKeys& keys, const StoredPage& page) {
  if (page.save)
    ini.WriteBool("Options", keys.toggle, page.toggle);
  for (size_t i = 0; i < keys.texts.size(); ++i) {
    if (!keys.texts[i])
      continue;
    const std::string value = !page.save          ? ""
                              : keys.multiLine[i] ? JoinMemoLines(page.texts[i])
                                                  : page.texts[i];
    ini.Write(keys.section, keys.texts[i], value);
  }
  ini.Write(keys.section, "Extension", page.save ? page.extension : "");
  ini.WriteBool(keys.section, keys.picture, page.save && page.pictureChecked);
}

void StorePictures(const PageKeys& keys, const StoredPage& page, const fs::path& img) {
  std::error_code error;
  if (page.save) {
    if (!page.extension.empty() && !page.pictureBytes.empty())
      WriteFileBytes(img / (std::string(keys.picture) + page.extension), page.pictureBytes);
    return;
  }
  for (fs::directory_iterator it(img, error), end; !error && it != end; it.increment(error)) {
    if (it->path().filename().string().find(keys.picture) != std::string::npos)
      fs::remove(it->path(), error); // a file that cannot go is not reported
  }
}

// A whole number of the Options section; 0 when missing or not a plain number.
size_t ReadCount(const IniFile& ini, const char* key) {
  const std::string text = ini.ReadString("Options", key);
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return static_cast<size_t>(std::stoul(text));
}

} // namespace

ProgramSettings SettingsFromIni(const IniFile& ini, const fs::path& img) {
  ProgramSettings settings;
  settings.movingPanel = ini.ReadBool("Options", "MovingPanel", true);
  settings.style = ini.ReadString("Options", "Style");
  if (settings.style.empty())
    settings.style = "Microsoft Office 2007 - Luna";
  // A value the program does not offer reads as the first one, as the window shows it.
  settings.encoding =
      ParseOutputEncoding(ini.ReadString("Options", "Coding")).value_or(OutputEncoding::Cp1251);
  // A value the program does not know reads as the classic look, which every version has.
  settings.layout =
      ParseTextbookLayout(ini.ReadString("Options", "Layout")).value_or(TextbookLayout::Classic);
  settings.wordProcessorMemoryMB = ReadCount(ini, "WordProcessorMemoryMB");
  settings.documentTimeLimit = static_cast<int>(ReadCount(ini, "DocumentTimeLimit"));
  settings.wordProcessorJobs =
      static_cast<int>(std::min<size_t>(ReadCount(ini, "WordProcessorJobs"), 16));
  settings.pageCacheMB = ReadCount(ini, "PageCacheMB");
  settings.title = ReadPage(ini, kTitle, img);
  settings.author = ReadPage(ini, kAuthor, img);
  settings.look = ReadLook(ini, img);
  settings.recentStructures = ReadRecentFiles(ini);
  return settings;
}

ProgramSettings RestoreSettings(const fs::path& programFolder) {
  std::error_code error;
  fs::create_directories(programFolder / "IMG", error);
  return SettingsFromIni(IniFile::Load(programFolder / kSettingsFileName), programFolder / "IMG");
}

void PutSettings(IniFile& ini, const ProgramSettings& settings) {
  ini.WriteBool("Options", "MovingPanel", settings.movingPanel);
  ini.WriteBool("Options", "SaveTitle", settings.title.save);
  ini.WriteBool("Options", "SaveAbout", settings.author.save);
  ini.Write("Options", "Style", settings.style);
  ini.Write("Options", "Coding", OutputEncodingName(settings.encoding));
  ini.Write("Options", "Layout", TextbookLayoutName(settings.layout));
  WritePage(ini, kTitle, settings.title);
  WritePage(ini, kAuthor, settings.author);
  if (settings.look)
    WriteLook(ini, *settings.look);
  WriteRecentFiles(ini, settings.recentStructures);
}

void StoreSettings(const fs::path& programFolder, const ProgramSettings& settings) {
  std::error_code error;
  fs::create_directories(programFolder / "IMG", error);
  IniFile ini = IniFile::Load(programFolder / kSettingsFileName);
  PutSettings(ini, settings);
  ini.Save(programFolder / kSettingsFileName);
  StorePictures(kTitle, settings.title, programFolder / "IMG");
  StorePictures(kAuthor, settings.author, programFolder / "IMG");
  if (settings.look)
    StoreLookPictures(*settings.look, programFolder / "IMG");
}

} // namespace quarbel
