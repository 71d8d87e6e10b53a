// Feeds arbitrary bytes to the settings file reader and to what the program reads from it.
// The file's text must read back to itself, a value written to a key must read back as it was
// written, and the program's settings must come back from the file they were put into.
#include "settings/ini_file.h"
#include "settings/program_settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quarbel;

// A folder that cannot exist, so that no stored picture is ever read.
const char* const kNoPictureFolder = "/proc/quarbel-no-such-folder/IMG";

// The settings as they must read back after PutSettings: a page whose "save" box is off
// keeps nothing, and pictures are not part of the file.
ProgramSettings AsPut(ProgramSettings settings) {
  for (StoredPage* page : {&settings.title, &settings.author}) {
    page->pictureBytes.clear();
    if (page->save)
      continue;
    page->texts = {};
    page->extension.clear();
    page->pictureChecked = false;
  }
  return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IniFile ini = IniFile::Parse(bytes);

  const std::string text = ini.Text();
  if (IniFile::Parse(text).Text() != text)
    std::abort();

  const ProgramSettings settings = SettingsFromIni(ini, kNoPictureFolder);
  PutSettings(ini, settings);
  const IniFile written = IniFile::Parse(ini.Text());
  if (SettingsFromIni(written, kNoPictureFolder) != AsPut(settings))
    std::abort();

  // Any text that fits on a line and in a value, written into the file as read, reads back.
  std::string value(bytes.substr(0, std::min(bytes.find_first_of("\r\n"), bytes.size())));
  if (value.size() > 2047)
    value.resize(2047);
  for (const char* section : {"Options", "Title", "Fuzz"}) {
    IniFile file = IniFile::Parse(bytes);
    file.Write(section, "Style", value);
    if (IniFile::Parse(file.Text()).Read(section, "Style") != value)
      std::abort();
  }
  return 0;
}
