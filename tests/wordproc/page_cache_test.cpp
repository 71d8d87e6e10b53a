#include "wordproc/page_cache.h"

#include "support/test_support.h"
#include "text/file_bytes.h"
#include "text/sha256.h"

#include <gtest/gtest.h>

#include <thread>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

ConvertedPage Page(const std::string& text) {
  ConvertedPage page;
  page.html = "<html>\r\n<body>\r\n" + text + "\r\n</body>\r\n</html>\r\n";
  page.files = {{"quarbelpage_html_1.png", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
                {"quarbelpage_html_2.gif", "GIF89a" + text}};
  return page;
}

TEST(ConvertedPage, TakesTheNameOfItsPlaceInTheTextbook) {
  ConvertedPage page = Page("x");
  page.html += "<img src=\"quarbelpage_html_1.png\"><img src=\"quarbelpage_html_2.gif\">";
  page.files.emplace_back("notes.txt", "kept");
  const ConvertedPage placed = RenamedForPage(page, "page12");
  EXPECT_EQ(placed.html.find("quarbelpage"), std::string::npos);
  EXPECT_NE(placed.html.find("<img src=\"page12_html_1.png\"><img src=\"page12_html_2.gif\">"),
            std::string::npos);
  std::vector<std::string> names;
  for (const auto& [name, bytes] : placed.files)
    names.push_back(name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"notes.txt", "page12_html_1.png", "page12_html_2.gif"}));
  EXPECT_EQ(placed.files[1].second, page.files[0].second);
}

TEST(PageCache, AnEntryGivesBackExactlyThePageKept) {
  TempDir dir;
  const PageCache cache(dir / "pages", PageCache::kDefaultLimit);
  EXPECT_FALSE(cache.Find("abc")); // the folder does not even exist yet
  ConvertedPage empty;             // a page with nothing beside it, and an empty text
  for (const ConvertedPage& page : {Page("Лекція"), empty}) {
    cache.Keep("abc", page);
    EXPECT_EQ(cache.Find("abc"), page);
  }
  // The folder may go at any moment: then there is simply nothing kept.
  fs::remove_all(dir / "pages");
  EXPECT_FALSE(cache.Find("abc"));
  cache.Keep("abc", Page("again"));
  EXPECT_EQ(cache.Find("abc"), Page("again"));
}

TEST(PageCache, ADamagedEntryReadsAsMissingAndGoes) {
  const std::string whole = PageEntryBytes(Page("Текст"));
  const auto flipped = [&](size_t at) {
    std::string bytes = whole;
    bytes[at] ^= 0x20;
    return bytes;
  };
  // A valid checksum over a body that lies about its parts.
  const auto resealed = [](std::string body) { return body + "sha256 " + Sha256Hex(body) + "\n"; };
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"cut short", whole.substr(0, whole.size() / 2)},
      {"cut at the trailer", whole.substr(0, whole.size() - 10)},
      {"a byte of the page changed", flipped(40)},
      {"a byte of the checksum changed", flipped(whole.size() - 5)},
      {"garbage", std::string(4096, '\x7f')},
      {"bytes after the end", whole + "x"},
      {"another format", "quarbel-page 2" + whole.substr(14)},
      {"a part name with a slash", resealed("quarbel-page 1\n2\n\t1\nx../evil\t1\ny")},
      {"a part larger than the entry", resealed("quarbel-page 1\n1\n\t999\nx")},
      {"a count larger than the parts", resealed("quarbel-page 1\n3\n\t1\nx")},
      {"a named first part", resealed("quarbel-page 1\n1\nname\t1\nx")},
      {"a negative size", resealed("quarbel-page 1\n1\n\t-1\nx")},
  };
  TempDir dir;
  const PageCache cache(dir.path(), PageCache::kDefaultLimit);
  for (const auto& [what, bytes] : cases) {
    EXPECT_FALSE(PageFromEntryBytes(bytes)) << what;
    WriteBytes(dir / "k.page", bytes);
    EXPECT_FALSE(cache.Find("k")) << what;
    EXPECT_FALSE(fs::exists(dir / "k.page")) << what;
  }
  EXPECT_EQ(PageFromEntryBytes(whole), Page("Текст"));
}

TEST(PageCache, TheEntriesUsedLongestAgoGoFirstWhenTheCacheIsFull) {
  TempDir dir;
  const std::uint64_t entry = PageEntryBytes(Page("0")).size();
  const PageCache cache(dir.path(), 3 * entry);
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(10);
  for (int i = 0; i < 4; ++i) {
    cache.Keep(std::to_string(i), Page(std::to_string(i)));
    fs::last_write_time(dir / (std::to_string(i) + ".page"), past + std::chrono::minutes(i));
  }
  ASSERT_TRUE(cache.Find("0")); // used now: the newest of all
  WriteBytes(dir / "old.tmp-1-1", "a write that never finished");
  fs::last_write_time(dir / "old.tmp-1-1", past);
  WriteBytes(dir / "new.tmp-2-1", "a write going on now");
  cache.Trim();
  EXPECT_TRUE(cache.Find("0"));
  EXPECT_FALSE(cache.Find("1"));
  EXPECT_TRUE(cache.Find("2"));
  EXPECT_TRUE(cache.Find("3"));
  EXPECT_FALSE(fs::exists(dir / "old.tmp-1-1"));
  EXPECT_TRUE(fs::exists(dir / "new.tmp-2-1"));
}

TEST(PageCache, TheKeyFollowsTheBytesTheExtensionAndTheVersion) {
  TempDir dir;
  WriteBytes(dir / "a.docx", "same");
  WriteBytes(dir / "b.DOCX", "same");
  WriteBytes(dir / "c.doc", "same");
  WriteBytes(dir / "d.docx", "other");
  const auto key = [&](const char* name, const char* version = "v1") {
    return PageCache::KeyOf(dir / name, version);
  };
  EXPECT_EQ(key("a.docx"), key("b.DOCX"));
  EXPECT_NE(key("a.docx"), key("c.doc"));
  EXPECT_NE(key("a.docx"), key("d.docx"));
  EXPECT_NE(key("a.docx"), key("a.docx", "v2"));
  EXPECT_EQ(key("a.docx")->size(), 64u);
  EXPECT_FALSE(key("missing.docx"));
}

TEST(PageCache, ConversionsAtOnceShareOneFolder) {
  TempDir dir;
  const PageCache cache(dir.path(), PageCache::kDefaultLimit);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&cache] {
      for (int round = 0; round < 50; ++round) {
        cache.Keep("shared", Page("shared"));
        const auto found = cache.Find("shared");
        if (found)
          EXPECT_EQ(*found, Page("shared"));
        cache.Trim();
      }
    });
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(cache.Find("shared"), Page("shared"));
  for (const auto& entry : fs::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename(), "shared.page");
}

} // namespace
} // namespace quarbel
