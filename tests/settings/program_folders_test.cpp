// Where the program finds its data and writes its settings: a portable folder, and an
// installed tree that it may not write into, started for real.
#include "settings/program_folders.h"
#include "settings/style_folder.h"

#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/file_bytes.h"
#include "text/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const fs::path kProgram = QUARBEL_PROGRAM_DIR;

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name))
      old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

private:
  const char* name_;
  std::optional<std::string> old_;
};

// An installed tree as `cmake --install` lays it out, made from the build's program folder.
fs::path InstallTree(const fs::path& prefix) {
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "lib" / "quarbel-vorizareda");
  const fs::path share = prefix / "share" / "quarbel-vorizareda";
  fs::create_directories(share);
  for (const char* program : {"quarbel-vorizareda", "quarbel-convert"})
    fs::copy_file(kProgram / program, prefix / "bin" / program);
  fs::copy_file(kProgram / "quarbel-wordproc",
                prefix / "lib" / "quarbel-vorizareda" / "quarbel-wordproc");
  for (const char* data : {"Styles", "Icons", "Data Base", "Help"})
    fs::copy(kProgram / data, share / data, fs::copy_options::recursive);
  return prefix;
}

// Every file under a folder.
std::vector<std::string> Files(const fs::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files.push_back(fs::relative(entry.path(), folder).string());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ProgramFolders, APortableFolderKeepsEverythingInItself) {
  const ProgramFolders folders = FindProgramFolders(kProgram);
  EXPECT_EQ(folders.data, kProgram);
  EXPECT_EQ(folders.helper, kProgram / "quarbel-wordproc");
  EXPECT_EQ(folders.settings, kProgram);
  EXPECT_EQ(folders.userStyles, kProgram / "Styles");
  EXPECT_TRUE(folders.shippedStyles.empty());
}

TEST(ProgramFolders, AnInstalledTreeIsFoundFromItsExecutableAndWritesIntoTheUsersFolders) {
  TempDir dir;
  const fs::path prefix = InstallTree(dir / "opt" / "quarbel");
  ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").string());
  ScopedVariable data("XDG_DATA_HOME", (dir / "data").string());
  const ProgramFolders folders = FindProgramFolders(prefix / "bin");
  EXPECT_EQ(folders.data, prefix / "share" / "quarbel-vorizareda");
  EXPECT_EQ(folders.helper, prefix / "lib" / "quarbel-vorizareda" / "quarbel-wordproc");
  EXPECT_EQ(folders.settings, dir / "config" / "quarbel-vorizareda");
  EXPECT_EQ(folders.userStyles, dir / "data" / "quarbel-vorizareda" / "Styles");
  EXPECT_EQ(folders.shippedStyles, folders.data / "Styles");
  // A relative XDG variable is not to be used.
  ScopedVariable relative("XDG_CONFIG_HOME", "relative/config");
  ScopedVariable home("HOME", (dir / "home").string());
  EXPECT_EQ(FindProgramFolders(prefix / "bin").settings,
            dir / "home" / ".config" / "quarbel-vorizareda");
}

TEST(ProgramFolders, TheTeachersStylesComeBeforeTheShippedOnesAndTheShippedOnesStay) {
  TempDir dir;
  fs::create_directories(dir / "shipped");
  WriteBytes(dir / "shipped" / "Default.css", "shipped default");
  WriteBytes(dir / "shipped" / "Blue.css", "shipped blue");
  const StyleFolder styles(dir / "user", dir / "shipped");
  std::vector<std::string> offered = styles.List();
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(offered, (std::vector<std::string>{"Blue", "Default"}));
  EXPECT_TRUE(styles.IsShipped("Blue"));
  EXPECT_EQ(ReadFileBytes(FsPath(styles.PathOf("Blue"))), "shipped blue");
  EXPECT_FALSE(styles.Rename("Blue", "Green"));
  EXPECT_NE(ErrorOf([&] { styles.Remove("Blue"); }).find("входить до програми"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir / "shipped" / "Blue.css"));

  // A style of the teacher's with a shipped name wins, in the list and in the file.
  WriteBytes(dir / "mine.css", "my blue");
  fs::rename(dir / "mine.css", dir / "Blue.css");
  std::vector<std::string> added;
  ScriptedPrompts prompts;
  styles.Add({dir / "Blue.css"}, prompts, added);
  EXPECT_FALSE(styles.IsShipped("Blue"));
  EXPECT_EQ(ReadFileBytes(FsPath(styles.PathOf("Blue"))), "my blue");
  std::vector<std::string> listed = styles.List();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "Blue"), 1);
  // Clearing takes the teacher's styles away; the shipped ones are offered again.
  styles.Clear();
  EXPECT_EQ(ReadFileBytes(FsPath(styles.PathOf("Blue"))), "shipped blue");
  EXPECT_TRUE(fs::exists(dir / "shipped" / "Default.css"));
}

TEST(ProgramFolders, TheInstalledProgramWritesItsSettingsIntoTheUsersConfigFolder) {
  TempDir dir;
  const fs::path prefix = InstallTree(dir / "usr");
  const std::vector<std::string> installed = Files(prefix);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    const std::string program = (prefix / "bin" / "quarbel-vorizareda").string();
    ::execl(program.c_str(), program.c_str(), nullptr);
    ::_exit(127);
  }
  // The end of the session closes the window, which keeps the settings.
  std::this_thread::sleep_for(std::chrono::seconds(3));
  ::kill(child, SIGTERM);
  int status = 0;
  for (int i = 0; i < 300 && ::waitpid(child, &status, WNOHANG) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  if (::waitpid(child, &status, WNOHANG) == 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    FAIL() << "the program did not close on SIGTERM";
  }
  EXPECT_TRUE(WIFEXITED(status)) << status;
  EXPECT_TRUE(
      fs::is_regular_file(dir / "config" / "quarbel-vorizareda" / "Quarbel Vorizareda.Ini"));
  EXPECT_TRUE(fs::is_directory(dir / "config" / "quarbel-vorizareda" / "IMG"));
  EXPECT_EQ(Files(prefix), installed); // nothing written into the installed tree
}

} // namespace
} // namespace quarbel
