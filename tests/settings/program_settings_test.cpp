#include "settings/program_settings.h"

#include "settings/ini_file.h"
#include "support/test_support.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

TEST(ProgramSettings, AFirstStartHasEverythingOn) {
  TempDir program;
  const ProgramSettings s = RestoreSettings(program.path());
  EXPECT_TRUE(fs::is_directory(program / "IMG"));
  EXPECT_TRUE(s.movingPanel && s.title.save && s.title.toggle && s.author.save && s.author.toggle);
  EXPECT_EQ(s.style, "Microsoft Office 2007 - Luna");
  EXPECT_EQ(s.encoding, OutputEncoding::Cp1251);
  EXPECT_TRUE(s.title.pictureChecked);
  EXPECT_TRUE(s.title.pictureBytes.empty()); // no extension, no file: left out
}

TEST(ProgramSettings, EveryKeyComesBack) {
  TempDir program;
  ProgramSettings s;
  s.movingPanel = false;
  s.style = "Windows 7";
  s.encoding = OutputEncoding::Koi8r;
  s.title.toggle = false;
  s.title.texts = {W("Університет"), W("Фізичний"), W("Оптики"),
                   W("Фізика"),      W("Лінзи"),    W("Іваненко І. І.\r\nПетренко П. П."),
                   W("Київ 2026")};
  s.title.extension = ".jpg";
  s.title.pictureBytes = "JPEG";
  s.author.texts = {
      W("Іваненко"), W("Іван"), W("Іванович"), W("доцент"), W("вул. Нова, 1\r\nтел. 123"),
      W("Інше"),     ""};
  s.author.pictureChecked = false;
  StoreSettings(program.path(), s);

  const IniFile ini = IniFile::Load(program / kSettingsFileName);
  EXPECT_EQ(U(ini.ReadString("About", "ContactInformation")), "вул. Нова, 1#тел. 123");
  EXPECT_EQ(ReadFileBytes(program / "IMG" / "Logo.jpg"), "JPEG");

  const ProgramSettings back = RestoreSettings(program.path());
  EXPECT_FALSE(back.movingPanel);
  EXPECT_EQ(back.style, "Windows 7");
  EXPECT_EQ(back.encoding, OutputEncoding::Koi8r);
  EXPECT_FALSE(back.title.toggle);
  EXPECT_TRUE(back.author.toggle);
  EXPECT_EQ(back.title.texts, s.title.texts);
  EXPECT_EQ(back.author.texts, s.author.texts);
  EXPECT_EQ(back.title.extension, ".jpg");
  EXPECT_EQ(back.title.pictureBytes, "JPEG");
  EXPECT_FALSE(back.author.pictureChecked);
}

TEST(ProgramSettings, SwitchingSavingOffClearsTheDataAndItsPictures) {
  TempDir program;
  fs::create_directories(program / "IMG");
  WriteBytes(program / kSettingsFileName, "[Options]\r\nUnknown=kept\r\nSaveTitle=1\r\nTDown=1\r\n"
                                          "[Title]\r\nUniversity=U\r\nExtension=.bmp\r\n");
  for (const char* name : {"Logo.bmp", "Logo.jpg", "OldLogo.gif", "Photo.jpg", "notes.txt"})
    WriteBytes(program / "IMG" / name, "x");
  ProgramSettings s = RestoreSettings(program.path());
  EXPECT_EQ(s.title.texts[0], "U");
  EXPECT_EQ(s.title.pictureBytes, "x");
  s.title.save = false;
  StoreSettings(program.path(), s);

  const IniFile ini = IniFile::Load(program / kSettingsFileName);
  EXPECT_EQ(ini.ReadString("Options", "Unknown"), "kept");
  EXPECT_EQ(ini.Read("Title", "University"), "");
  EXPECT_EQ(ini.Read("Title", "Logo"), "0");
  EXPECT_EQ(ini.Read("Options", "TDown"), "1"); // not written when saving is off
  for (const char* gone : {"Logo.bmp", "Logo.jpg", "OldLogo.gif"})
    EXPECT_FALSE(fs::exists(program / "IMG" / gone)) << gone;
  EXPECT_TRUE(fs::exists(program / "IMG" / "Photo.jpg"));
  EXPECT_TRUE(fs::exists(program / "IMG" / "notes.txt"));

  // With saving off the toggle is not restored, whatever TDown says.
  EXPECT_FALSE(RestoreSettings(program.path()).title.toggle);
}

TEST(ProgramSettings, AnUnwritableFileIsReportedAndNoPictureIsTouched) {
  TempDir program;
  fs::create_directories(program / "IMG");
  fs::create_directory(program / kSettingsFileName); // a folder stands where the file goes
  WriteBytes(program / "IMG" / "Logo.gif", "keep");
  ProgramSettings s;
  s.title.save = false;
  EXPECT_EQ(ErrorOf([&] { StoreSettings(program.path(), s); }),
            "Unable to write to " + (program / kSettingsFileName).string());
  EXPECT_TRUE(fs::exists(program / "IMG" / "Logo.gif"));
}

} // namespace
} // namespace quarbel
