#include "text/file_bytes.h"

#include "support/test_support.h"
#include "text/error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

namespace quarbel {
namespace {

using testing::ErrorOf;
using testing::TempDir;
using testing::U;

size_t EntriesIn(const std::filesystem::path& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
    ++n;
  return n;
}

TEST(FileBytes, ReplaceWritesExactBytesAndLeavesNoTemporaryFile) {
  TempDir dir;
  const auto file = dir / "Структура.QCT";
  const std::string bytes("a\0\r\n\xff", 5);
  ReplaceFileBytes(file, bytes);
  EXPECT_EQ(ReadFileBytes(file), bytes);
  ReplaceFileBytes(file, "shorter");
  EXPECT_EQ(ReadFileBytes(file), "shorter");
  ReplaceFileBytes(file, "");
  EXPECT_EQ(ReadFileBytes(file), "");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(FileBytes, ReplaceKeepsThePermissionsOfTheFileItReplaces) {
  TempDir dir;
  const auto file = dir / "a.QCT";
  testing::WriteBytes(file, "old");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  ReplaceFileBytes(file, "new");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileBytes, FailuresNameTheFileAndTheReasonAndLeaveTheTargetAlone) {
  TempDir dir;
  const auto folder = dir / "Папка";
  std::filesystem::create_directory(folder);
  const auto notAFolder = dir / "file";
  testing::WriteBytes(notAFolder, "keep");

  EXPECT_EQ(ErrorOf([&] { ReadFileBytes(dir / "немає.QCT"); }),
            "Не вдалося прочитати файл \"" + (dir / "немає.QCT").string() +
                "\": файл або папку не знайдено");
  EXPECT_EQ(ErrorOf([&] { ReadFileBytes(folder); }),
            "Не вдалося прочитати файл \"" + folder.string() + "\": це папка, а не файл");
  EXPECT_EQ(ErrorOf([&] { ReplaceFileBytes(folder, "x"); }),
            "Не вдалося записати файл \"" + folder.string() + "\": це папка, а не файл");
  EXPECT_EQ(ErrorOf([&] { ReplaceFileBytes(notAFolder / "a.QCT", "x"); }),
            "Не вдалося записати файл \"" + (notAFolder / "a.QCT").string() +
                "\": частина шляху не є папкою");
  EXPECT_EQ(ReadFileBytes(notAFolder), "keep");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

} // namespace
} // namespace quarbel
