#include "text/paths.h"

#include "support/test_support.h"
#include "text/error.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using testing::W;

TEST(Paths, FileNameIsWhatFollowsTheLastSeparator) {
  EXPECT_EQ(FileNameOf("/a/b/c.doc"), "c.doc");
  EXPECT_EQ(FileNameOf("c.doc"), "c.doc");
  EXPECT_EQ(FileNameOf("/a/b/"), "");
}

TEST(Paths, CyrillicPathsRoundTripThroughTheFileSystemForm) {
  const std::string text = W("/home/вчитель/Курс «Фізика»/Лекція 1.doc");
  const std::filesystem::path path = FsPath(text);
  EXPECT_EQ(path.native(), "/home/вчитель/Курс «Фізика»/Лекція 1.doc");
  EXPECT_EQ(PathText(path), text);
}

TEST(Paths, APathOutsideTheCodePageIsRefusedByName) {
  const std::filesystem::path path("/home/user/日本/урок.doc");
  EXPECT_FALSE(TryPathText(path).has_value());
  try {
    PathText(path);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(testing::U(e.text()),
              "Шлях \"/home/user/?\?/урок.doc\" містить символи, яких немає в кирилиці "
              "Windows-1251.\r\nПерейменуйте файл або папку і спробуйте ще раз.");
  }
  // Bytes that are not UTF-8 at all are refused the same way.
  EXPECT_FALSE(TryPathText(std::filesystem::path("/tmp/\xff\xfe.doc")).has_value());
}

} // namespace
} // namespace quarbel
