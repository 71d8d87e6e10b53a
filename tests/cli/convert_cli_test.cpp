// quarbel-convert as a script would run it.
#include "pictures/jpeg_encoder.h"
#include "pictures/rgb_image.h"
#include "records/record_file.h"
#include "structure/structure_file.h"
#include "support/test_support.h"
#include "support/word_fixtures.h"
#include "support/zip_reading.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <cstdlib>
#include <sys/wait.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

struct Result {
  int code;
  std::string out, err;
};

class ConvertCliTest : public ::testing::Test {
protected:
  Result Run(const std::string& arguments, const std::string& environment = "") {
    const std::string command =
        environment + std::string(" '" QUARBEL_PROGRAM_DIR "/quarbel-convert' ") + arguments +
        " >'" + (dir / "out.txt").string() + "' 2>'" + (dir / "err.txt").string() + "' </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(dir / "out.txt"),
            ReadFileBytes(dir / "err.txt")};
  }
  std::string Doc(const char* title, const fs::path& path) {
    return W(title) + " [ " + W(path.string()) + " ]";
  }

  TempDir dir;
};

TEST_F(ConvertCliTest, ConvertsACourseAndPrintsWhereItsIndexIs) {
  WriteBytes(dir / "Конспект.pdf", "%PDF-1.4");
  WriteBytes(dir / "photo.png", "PNG");
  WriteBytes(dir / "home.jpg", "\xFF\xD8\xFF\xE0JPEG");
  WriteStructureFile(dir / "course.QCT", {{0, W("Розділ 1")},
                                          {1, Doc("Конспект", dir / "Конспект.pdf")},
                                          {1, Doc("Фото", dir / "photo.png")}});
  RecordValue title;
  title.texts[Discipline] = W("Фізика");
  SaveRecordFile(fs::path(QUARBEL_PROGRAM_DIR) / "Data Base" / "Data Base.QCD", dir / "title.QCD",
                 RecordKind::TitlePage, title);

  const Result r = Run("--encoding UTF8 --default-style --menu-color '#102030' --icon home=" +
                       (dir / "home.jpg").string() + " --title " + (dir / "title.QCD").string() +
                       " " + (dir / "course.QCT").string() + " " + (dir / "book").string());
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, (dir / "book" / "index.html").string() + "\n");
  EXPECT_NE(r.err.find("Конвертування успішно завершено !"), std::string::npos) << r.err;
  EXPECT_NE(ReadFileBytes(dir / "book" / "index.html").find("з дисципліни: Фізика"),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(dir / "book" / "menu.css").find("#102030"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir / "book" / "img" / "home.jpg"), "\xFF\xD8\xFF\xE0JPEG");
  EXPECT_TRUE(fs::exists(dir / "book" / "other" / "konspekt.pdf"));
  EXPECT_TRUE(fs::exists(dir / "book" / "title.html"));

  // The modern look of the same course.
  const Result modern = Run("--layout modern --title " + (dir / "title.QCD").string() + " " +
                            (dir / "course.QCT").string() + " " + (dir / "modern").string());
  EXPECT_EQ(modern.code, 0) << modern.err;
  EXPECT_NE(U(ReadFileBytes(dir / "modern" / "index.html")).find("<h1>Фізика</h1>"),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(dir / "modern" / "page1.html").find("<!DOCTYPE html>"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(dir / "modern" / "assets" / "search.js"));
  EXPECT_FALSE(fs::exists(dir / "modern" / "menu.html"));
}

TEST_F(ConvertCliTest, AFileSizeLimitFailsTheConversionWithoutEndingIt) {
  WriteBytes(dir / "big.pdf", "%PDF-1.4\n" + std::string(300 * 1024, 'x'));
  WriteStructureFile(dir / "course.QCT", {{0, Doc("Великий", dir / "big.pdf")}});
  // ulimit -f counts KiB: the copy of the document cannot be written whole.
  const std::string command =
      std::string("ulimit -f 100; '" QUARBEL_PROGRAM_DIR "/quarbel-convert' '") +
      (dir / "course.QCT").string() + "' '" + (dir / "limited").string() + "' 2>'" +
      (dir / "err.txt").string() + "' >/dev/null";
  const int status = std::system(("bash -c \"" + command + "\"").c_str());
  ASSERT_TRUE(WIFEXITED(status)) << "the converter was killed by a signal";
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string err = ReadFileBytes(dir / "err.txt");
  EXPECT_EQ(err.rfind("Помилка при конвертуванні !\n", 0), 0u) << err;
  EXPECT_NE(err.find("файл перевищує дозволений розмір"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir / "limited"));
}

TEST_F(ConvertCliTest, AnIconThatIsNoPictureIsAMistakeInTheOptions) {
  WriteBytes(dir / "x.pdf", "%PDF-1.4");
  WriteStructureFile(dir / "course.QCT", {{0, Doc("x", dir / "x.pdf")}});
  WriteBytes(dir / "home.gif", "GIF89a...");
  struct Case {
    const char* option;
    const char* file;
    std::string bytes;
  } cases[] = {
      {"home", "garbage.QCT", "1\r\n\tx [ /x.pdf ]\r\n"},
      {"minus", "empty.gif", ""},
      {"plus", "text.png", "PNG, honestly"},
      {"previous", "vector.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>"},
      {"forward", "pixmap.jpg", "P6\n1 1\n255\n\x01\x02\x03"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    WriteBytes(dir / c.file, c.bytes);
    const fs::path book = dir / (std::string("book-") + c.option);
    const std::string icon = (dir / c.file).string();
    const Result r = Run("--icon home=" + (dir / "home.gif").string() + " --icon " + c.option +
                         "=" + icon + " " + (dir / "course.QCT").string() + " " + book.string());
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              "quarbel-convert: --icon: Файл \"" + icon +
                  "\" не є малюнком: значок може бути лише малюнком GIF, PNG, JPEG або BMP !");
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(fs::exists(book));
  }
}

TEST_F(ConvertCliTest, RefusalsAndUsageErrorsHaveTheirExitCodes) {
  WriteStructureFile(dir / "course.QCT", {{0, Doc("Нема", dir / "gone.pdf")}});
  const Result refused = Run((dir / "course.QCT").string() + " " + (dir / "book").string());
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("Деякі документи зі структури не існують, бажаєте продовжити ?"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "book"));

  // With --yes the conversion goes on; the missing copy fails quietly as in the program.
  const Result yes = Run("--yes " + (dir / "course.QCT").string() + " " + (dir / "book").string());
  EXPECT_EQ(yes.code, 0) << yes.err;

  EXPECT_EQ(Run("--encoding 866 a b").code, 2);
  EXPECT_EQ(Run("--icon sun=x.png a b").code, 2);
  EXPECT_EQ(Run("only-one").code, 2);
  EXPECT_EQ(Run("--memory-limit 12 a b").code, 2);
  EXPECT_EQ(Run("--time-limit x a b").code, 2);
  EXPECT_EQ(Run("--jobs 0 a b").code, 2);
  EXPECT_EQ(Run("--layout frames a b").code, 2);
  EXPECT_EQ(Run("--cache-size 0 a b").code, 2);
  const Result help = Run("--help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--no-navigation"), std::string::npos);

  WriteBytes(dir / "bad.QCT", "a\r\n\t\t\tb\r\n");
  const Result bad = Run((dir / "bad.QCT").string() + " " + (dir / "book2").string());
  EXPECT_EQ(bad.code, 1);
  EXPECT_NE(bad.err.find("Invalid level (3) for item \"b\""), std::string::npos);
}

// What epubcheck says of a book: its exit code 0 and this line mean no error and no warning.
std::string EpubCheck(const fs::path& book) {
  const CommandResult check = RunShell("java -jar /usr/bin/epubcheck '" + book.string() + "'");
  return std::to_string(check.code) + "\n" + check.output;
}

TEST_F(ConvertCliTest, PackagesOfACourseWithEveryKindOfDocumentPassTheirChecks) {
  // Word documents as teachers write them: a picture, a title above the table of contents, a
  // reviewer's comment, tracked changes, a text box, and an old one without linked entries.
  std::ifstream png(QUARBEL_PROGRAM_DIR "/Icons/Software/PDF.PNG", std::ios::binary);
  WordFixture rich;
  rich.pictureBytes.assign(std::istreambuf_iterator<char>(png), {});
  rich.titleAboveContents = true;
  rich.reviewerComment = true;
  rich.trackedChanges = true;
  rich.textBox = true;
  rich.bodyParagraphs = 12;
  WriteBytes(dir / "Лекція 1. Вступ.docx", MakeDocx(rich));
  WordFixture old;
  old.contentsHyperlinks = false;
  old.paragraphBeforeContents = true;
  WriteBytes(dir / "lecture 2.docx", MakeDocx(old));
  RgbImage photo;
  photo.width = photo.height = 8;
  photo.pixels.assign(8 * 8 * 3, 0x80);
  WriteBytes(dir / "Фото досліду.jpg", EncodeJpeg(photo, 90));
  WriteBytes(dir / "Схема.bmp", "BM not really a bitmap");
  WriteBytes(dir / "Конспект.pdf", "%PDF-1.4\n%%EOF\n");
  WriteBytes(dir / "Карта.djvu", "AT&TFORM");
  WriteBytes(dir / "Оцінки.xls", "workbook");
  WriteBytes(dir / "Слайди.pptx", "slides");
  WriteBytes(dir / "Розрахунок.mcd", "mathcad");
  WriteBytes(dir / "Дослід.mp4", std::string("\0\0\0\x18"
                                             "ftypmp42",
                                             12));
  WriteBytes(dir / "Записка.txt", "text");
  WriteStructureFile(dir / "course.QCT", {{0, W("Розділ 1. Механіка")},
                                          {1, Doc("Вступ", dir / "Лекція 1. Вступ.docx")},
                                          {1, Doc("Лекція 2", dir / "lecture 2.docx")},
                                          {1, Doc("Фото", dir / "Фото досліду.jpg")},
                                          {0, W("Розділ без документів")},
                                          {0, W("Додатки")},
                                          {1, Doc("Схема", dir / "Схема.bmp")},
                                          {1, Doc("Конспект", dir / "Конспект.pdf")},
                                          {1, Doc("Карта", dir / "Карта.djvu")},
                                          {1, Doc("Оцінки", dir / "Оцінки.xls")},
                                          {1, Doc("Слайди", dir / "Слайди.pptx")},
                                          {1, Doc("Розрахунок", dir / "Розрахунок.mcd")},
                                          {1, Doc("Дослід", dir / "Дослід.mp4")},
                                          {1, Doc("Записка", dir / "Записка.txt")}});
  RecordValue title;
  title.texts[University] = W("Університет «Ґрона» & Ко");
  title.texts[Discipline] = W("Фізика <основи>");
  title.checked = true;
  title.picture = RecordPicture{EncodeJpeg(photo, 90), ".jpg"};
  SaveRecordFile(fs::path(QUARBEL_PROGRAM_DIR) / "Data Base" / "Data Base.QCD", dir / "title.QCD",
                 RecordKind::TitlePage, title);
  RecordValue author;
  author.texts[Surname] = W("Їжакевич");
  author.texts[FirstName] = W("Євген");
  author.texts[Contacts] = W("пошта: a@b.ua\r\nкаб. 12");
  SaveRecordFile(fs::path(QUARBEL_PROGRAM_DIR) / "Data Base" / "Data Base.QCD", dir / "author.QCD",
                 RecordKind::Author, author);
  const std::string records =
      " --title " + (dir / "title.QCD").string() + " --author " + (dir / "author.QCD").string();

  for (const char* options : {"--encoding KOI8", "--layout modern --encoding UTF8"}) {
    SCOPED_TRACE(options);
    const Result epub = Run(std::string(options) + " --package epub" + records + " " +
                            (dir / "course.QCT").string() + " " + (dir / "Фізика").string());
    ASSERT_EQ(epub.code, 0) << epub.err;
    EXPECT_EQ(epub.out, (dir / "Фізика" / "index.html").string() + "\n" +
                            (dir / "Фізика.epub").string() + "\n");
    EXPECT_EQ(RunShell("unzip -tq '" + (dir / "Фізика.epub").string() + "'").code, 0);
    const std::string check = EpubCheck(dir / "Фізика.epub");
    EXPECT_EQ(check.rfind("0\n", 0), 0u) << check;
    EXPECT_NE(check.find("No errors or warnings detected."), std::string::npos) << check;

    const Result scorm = Run(std::string(options) + " --package scorm" + records + " " +
                             (dir / "course.QCT").string() + " " + (dir / "Фізика").string());
    ASSERT_EQ(scorm.code, 0) << scorm.err;
    EXPECT_EQ(RunShell("unzip -tq '" + (dir / "Фізика.zip").string() + "'").code, 0);
    const std::vector<ZipEntry> entries = ReadZip(dir / "Фізика.zip");
    EXPECT_NE(ZipEntryBytes(entries, "imsmanifest.xml"), "<no entry>");
    EXPECT_EQ(ZipEntryBytes(entries, "page1.html"), ReadFileBytes(dir / "Фізика" / "page1.html"));
  }

  const Result wrong =
      Run("--package zip " + (dir / "course.QCT").string() + " " + (dir / "other").string());
  EXPECT_EQ(wrong.code, 2);
  EXPECT_NE(wrong.err.find("--package: очікується scorm або epub"), std::string::npos);
}

TEST_F(ConvertCliTest, WordPagesAreKeptInTheUsersCacheUnlessToldNot) {
  std::ifstream png(QUARBEL_PROGRAM_DIR "/Icons/Software/PDF.PNG", std::ios::binary);
  WordFixture fixture;
  fixture.pictureBytes.assign(std::istreambuf_iterator<char>(png), {});
  WriteBytes(dir / "lecture.docx", MakeDocx(fixture));
  WriteStructureFile(dir / "course.QCT", {{0, Doc("Лекція", dir / "lecture.docx")}});
  const std::string cache = "XDG_CACHE_HOME='" + (dir / "cache").string() + "'";
  const fs::path pages = dir / "cache" / "quarbel-vorizareda" / "pages";
  const auto entries = [&] {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(pages, error), end; !error && it != end; it.increment(error))
      names.push_back(it->path().filename().string());
    return names;
  };
  const std::string course = (dir / "course.QCT").string() + " ";

  const Result bypassed = Run("--no-cache " + course + (dir / "plain").string(), cache);
  ASSERT_EQ(bypassed.code, 0) << bypassed.err;
  EXPECT_TRUE(entries().empty());

  for (const char* jobs : {"1", "2"}) {
    const Result kept =
        Run("--jobs " + std::string(jobs) + " " + course + (dir / "book").string(), cache);
    ASSERT_EQ(kept.code, 0) << kept.err;
    ASSERT_EQ(entries().size(), 1u);
    EXPECT_TRUE(entries()[0].ends_with(".page"));
  }
  // The kept page makes the same textbook as the word processor itself.
  for (const char* page : {"page1.html", "menu.html"})
    EXPECT_EQ(ReadFileBytes(dir / "book" / page), ReadFileBytes(dir / "plain" / page)) << page;

  // A damaged entry is made again; entries beyond the size go, the oldest first.
  const std::string entry = entries()[0];
  WriteBytes(pages / entry, std::string(1000, 'x'));
  WriteBytes(pages / "old.page", std::string(2 << 20, 'o'));
  fs::last_write_time(pages / "old.page",
                      fs::file_time_type::clock::now() - std::chrono::hours(24));
  const Result trimmed = Run("--cache-size 1 " + course + (dir / "book").string(), cache);
  ASSERT_EQ(trimmed.code, 0) << trimmed.err;
  EXPECT_EQ(ReadFileBytes(dir / "book" / "page1.html"),
            ReadFileBytes(dir / "plain" / "page1.html"));
  EXPECT_EQ(entries(), std::vector<std::string>{entry});
  EXPECT_GT(fs::file_size(pages / entry), 1000u);
}

} // namespace
} // namespace quarbel
