#include "settings/program_settings.h"

#include "settings/ini_file.h"
#include "settings/recent_files.h"
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
  EXPECT_EQ(s.layout, TextbookLayout::Classic);
  EXPECT_TRUE(s.title.pictureChecked);
  EXPECT_TRUE(s.title.pictureBytes.empty()); // no extension, no file: left out
}

TEST(ProgramSettings, EveryKeyComesBack) {
  TempDir program;
  ProgramSettings s;
  s.movingPanel = false;
  s.style = "Windows 7";
  s.encoding = OutputEncoding::Koi8r;
  s.layout = TextbookLayout::Modern;
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
  EXPECT_EQ(back.layout, TextbookLayout::Modern);
  EXPECT_EQ(ini.ReadString("Options", "Layout"), "Modern");
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

TEST(ProgramSettings, LimitsSetByHandAreReadAndKept) {
  struct Case {
    const char* lines;
    size_t memory;
    int time, jobs;
    size_t cache;
  };
  const Case cases[] = {
      {"", 0, 0, 0, 0},
      {"WordProcessorMemoryMB=2048\r\nDocumentTimeLimit=300\r\nWordProcessorJobs=3\r\n"
       "PageCacheMB=512",
       2048, 300, 3, 512},
      {"WordProcessorJobs=64\r\nPageCacheMB=-5\r\nDocumentTimeLimit=1e3", 0, 0, 16, 0},
      {"WordProcessorJobs=two\r\nPageCacheMB=99999999999", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TempDir program;
    WriteBytes(program / kSettingsFileName, std::string("[Options]\r\n") + c.lines + "\r\n");
    const ProgramSettings s = RestoreSettings(program.path());
    EXPECT_EQ(s.wordProcessorMemoryMB, c.memory) << c.lines;
    EXPECT_EQ(s.documentTimeLimit, c.time) << c.lines;
    EXPECT_EQ(s.wordProcessorJobs, c.jobs) << c.lines;
    EXPECT_EQ(s.pageCacheMB, c.cache) << c.lines;
    // The program never writes them: what the teacher set stays as set.
    StoreSettings(program.path(), s);
    EXPECT_NE(ReadFileBytes(program / kSettingsFileName).find(c.lines), std::string::npos);
  }
}

TEST(ProgramSettings, TheStylesWindowsChoiceComesBackWithItsIcons) {
  TempDir program;
  ProgramSettings s;
  EXPECT_FALSE(RestoreSettings(program.path()).look); // nothing kept yet: the window's own start
  StyleChoice look;
  look.styleFile = W("Зелений.css");
  look.menuColour = {0x12, 0xab, 0xff};
  look.pageColour = {0, 0, 0};
  look.ruleColour = {0xff, 0xff, 0xff};
  look.navigation = false;
  look.icons[HomeIcon] = {"GIF89a-home", ".gif"};
  look.icons[PlusIcon] = {"JPEG-plus", ".JPG"};
  s.look = look;
  StoreSettings(program.path(), s);
  EXPECT_EQ(ReadFileBytes(program / "IMG" / "Icon-Home.gif"), "GIF89a-home");
  EXPECT_EQ(RestoreSettings(program.path()).look, look);

  // The default style with built-in icons: the old pictures go, the style file is not kept.
  look.defaultStyle = true;
  look.icons = {};
  look.icons[HomeIcon] = {"PNG-home", ".png"};
  s.look = look;
  StoreSettings(program.path(), s);
  EXPECT_FALSE(fs::exists(program / "IMG" / "Icon-Home.gif"));
  EXPECT_FALSE(fs::exists(program / "IMG" / "Icon-Plus.JPG"));
  const auto back = RestoreSettings(program.path()).look;
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->defaultStyle);
  EXPECT_EQ(back->styleFile, "");
  EXPECT_EQ(back->icons[HomeIcon], (IconPicture{"PNG-home", ".png"}));
  EXPECT_EQ(back->icons[PlusIcon], IconPicture{});
}

TEST(ProgramSettings, AHandEditedLookIsReadSafely) {
  TempDir program;
  fs::create_directories(program / "IMG");
  WriteBytes(program / "IMG" / "Icon-Home.gif", "home");
  struct Case {
    const char* lines;
    std::string styleFile;
    RgbColor menu;
    bool homeIcon;
  };
  const RgbColor standard = StyleChoice().menuColour;
  const Case cases[] = {
      {"StyleFile=Blue.css\r\nMenuColour=#0a0B0c\r\nHomeIcon=.gif", "Blue.css", {10, 11, 12}, true},
      {"StyleFile=../../etc/passwd\r\nMenuColour=red", "", standard, false},
      {"StyleFile=C:\\Styles\\Blue.css\r\nMenuColour=#12345", "", standard, false},
      {"HomeIcon=/../../Icon-Home.gif\r\nMenuColour=#GG0000", "", standard, false},
      {"HomeIcon=.png", "", standard, false}, // the picture is gone
  };
  for (const Case& c : cases) {
    WriteBytes(program / kSettingsFileName,
               std::string("[Look]\r\nDefaultStyle=0\r\n") + c.lines + "\r\n");
    const auto look = RestoreSettings(program.path()).look;
    ASSERT_TRUE(look) << c.lines;
    EXPECT_EQ(look->styleFile, c.styleFile) << c.lines;
    EXPECT_EQ(look->menuColour, c.menu) << c.lines;
    EXPECT_EQ(!look->icons[HomeIcon].bytes.empty(), c.homeIcon) << c.lines;
    EXPECT_TRUE(look->navigation) << c.lines;
  }
}

TEST(ProgramSettings, RecentStructuresKeepTheLastFiveNewestFirst) {
  std::vector<std::string> recent;
  for (const char* path : {"/a.qct", "/b.qct", "/c.qct", "/d.qct", "/e.qct", "/b.qct", "/f.qct"})
    RememberRecentFile(recent, path);
  EXPECT_EQ(recent, (std::vector<std::string>{"/f.qct", "/b.qct", "/e.qct", "/d.qct", "/c.qct"}));

  TempDir program;
  ProgramSettings s;
  s.recentStructures = recent;
  StoreSettings(program.path(), s);
  EXPECT_EQ(RestoreSettings(program.path()).recentStructures, recent);
  s.recentStructures = {W("/курс.QCT")};
  StoreSettings(program.path(), s); // a shorter list leaves no older entry behind
  EXPECT_EQ(RestoreSettings(program.path()).recentStructures, s.recentStructures);

  WriteBytes(program / kSettingsFileName,
             "[RecentStructures]\r\nFile1=/x.qct\r\nFile2=\r\nFile3=/x.qct\r\nFile4=/y.qct\r\n");
  EXPECT_EQ(RestoreSettings(program.path()).recentStructures,
            (std::vector<std::string>{"/x.qct", "/y.qct"}));
}

} // namespace
} // namespace quarbel
