#include "generator/generate_textbook.h"

#include "generator/fake_word_processor.h"
#include "support/test_support.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class WordPagesTest : public ::testing::Test {
protected:
  WordPagesTest() {
    for (const char* name : {"a.docx", "slow b.doc", "picture c.docx", "d.pdf", "e.rtf",
                             "slow picture f.docx", "broken g.docx", "h.docx"})
      WriteBytes(sources / name, std::string("content of ") + name);
    input.programFolder = QUARBEL_PROGRAM_DIR;
  }

  std::string Doc(const char* name) {
    return std::string("Doc [ ") + (sources.path() / name).string() + " ]";
  }

  // The course: Word documents with other kinds between them.
  void Course(bool withBroken) {
    input.outline = {{0, "Part 1"},          {1, Doc("a.docx")},
                     {1, Doc("slow b.doc")}, {1, Doc("picture c.docx")},
                     {0, Doc("d.pdf")},      {0, "Part 2"},
                     {1, Doc("e.rtf")},      {1, Doc("slow picture f.docx")}};
    if (withBroken)
      input.outline.push_back({1, Doc("broken g.docx")});
    input.outline.push_back({1, Doc("h.docx")});
  }

  // Converts into `folder` with `jobs` helpers; the error text when it fails.
  std::string Convert(const fs::path& folder, int jobs, const PageCache* cache = nullptr,
                      GenerationResult* result = nullptr) {
    WordPageOptions options;
    options.jobs = jobs;
    options.cache = cache;
    options.version = "test";
    options.factory = [this] {
      ++made;
      auto word = std::make_unique<FakeWordProcessor>();
      word->installed = installed;
      return word;
    };
    GenerationInput in = input;
    in.outputFolder = folder;
    TextbookFolder textbook(folder);
    textbook.Prepare();
    SilentProgress quiet;
    try {
      const GenerationResult r = GenerateTextbook(in, textbook, options, quiet);
      if (result)
        *result = r;
    } catch (const Error& error) {
      return U(error.text());
    }
    return "";
  }

  TempDir sources, out;
  GenerationInput input;
  std::atomic<int> made{0};
  bool installed = true;
};

TEST_F(WordPagesTest, AnyNumberOfHelpersWritesTheSameTextbook) {
  for (bool broken : {false, true}) {
    Course(broken);
    const std::string first = Convert(out / "jobs1", 1);
    const auto expected = FolderContents(out / "jobs1");
    EXPECT_EQ(expected.count("page3_html_5eed.gif"), 1u);
    EXPECT_NE(expected.at("page3.html").find("<img src=\"page3_html_5eed.gif\">"),
              std::string::npos);
    if (broken)
      EXPECT_NE(first.find("broken g.docx"), std::string::npos) << first;
    else
      EXPECT_EQ(first, "");
    for (int jobs : {2, 3}) {
      const fs::path folder = out / ("jobs" + std::to_string(jobs));
      EXPECT_EQ(Convert(folder, jobs), first) << jobs;
      EXPECT_EQ(FolderContents(folder), expected) << jobs;
    }
    for (const char* folder : {"jobs1", "jobs2", "jobs3"})
      fs::remove_all(out / folder);
  }
  // No scratch folder of a helper is left beside the textbook.
  for (const auto& entry : fs::directory_iterator(out.path()))
    ADD_FAILURE() << entry.path();
}

TEST_F(WordPagesTest, AMissingWordProcessorIsReportedTheSameForAnyNumberOfHelpers) {
  Course(false);
  installed = false;
  for (int jobs : {1, 2, 3}) {
    GenerationResult result = GenerationResult::Done;
    EXPECT_EQ(Convert(out / std::to_string(jobs), jobs, nullptr, &result), "");
    EXPECT_EQ(result, GenerationResult::WordProcessorMissing) << jobs;
  }
}

TEST_F(WordPagesTest, AnUnchangedCourseComesFromTheCacheWithoutAHelper) {
  Course(false);
  const PageCache cache(out / "cache", PageCache::kDefaultLimit);
  const fs::path book = out / "book";
  ASSERT_EQ(Convert(book, 2, &cache), "");
  EXPECT_EQ(made, 2);
  const auto first = FolderContents(book);
  ASSERT_EQ(Convert(out / "plain", 1), "");
  EXPECT_EQ(FolderContents(out / "plain"), first); // the cache changes nothing in the textbook

  made = 0;
  ASSERT_EQ(Convert(book, 2, &cache), "");
  EXPECT_EQ(made, 0); // every page from the cache: no helper at all
  EXPECT_EQ(FolderContents(book), first);

  // Damaged entries are made again, and kept whole again.
  int damaged = 0;
  for (const auto& entry : fs::directory_iterator(out / "cache")) {
    const std::string bytes = ReadFileBytes(entry.path());
    WriteBytes(entry.path(), damaged++ % 2 ? bytes.substr(0, bytes.size() / 3)
                                           : std::string(bytes.size(), '\xff'));
  }
  ASSERT_EQ(damaged, 6);
  ASSERT_EQ(Convert(book, 2, &cache), "");
  EXPECT_EQ(made, 2);
  EXPECT_EQ(FolderContents(book), first);
  made = 0;
  ASSERT_EQ(Convert(book, 2, &cache), "");
  EXPECT_EQ(made, 0);

  // One document changed: one helper, for that document alone.
  WriteBytes(sources / "h.docx", "changed");
  ASSERT_EQ(Convert(book, 2, &cache), "");
  EXPECT_EQ(made, 1);
  EXPECT_EQ(FolderContents(book), first);

  // Another textbook folder does not share the pages: their links are relative to it.
  made = 0;
  ASSERT_EQ(Convert(out / "elsewhere", 2, &cache), "");
  EXPECT_EQ(made, 2);
}

TEST_F(WordPagesTest, TwoConversionsAtOnceShareTheCache) {
  Course(false);
  const PageCache cache(out / "cache", PageCache::kDefaultLimit);
  std::string errors[2];
  std::thread other([&] { errors[1] = Convert(out / "two", 2, &cache); });
  errors[0] = Convert(out / "one", 2, &cache);
  other.join();
  EXPECT_EQ(errors[0], "");
  EXPECT_EQ(errors[1], "");
  EXPECT_EQ(FolderContents(out / "one"), FolderContents(out / "two"));
  ASSERT_EQ(Convert(out / "reference", 1), "");
  EXPECT_EQ(FolderContents(out / "one"), FolderContents(out / "reference"));
}

} // namespace
} // namespace quarbel
