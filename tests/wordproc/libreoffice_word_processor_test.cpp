// The word processor for real: our helper with LibreOffice, on documents the tests write.
#include "wordproc/libreoffice_word_processor.h"

#include "generator/generate_textbook.h"
#include "structure/structure_file.h"
#include "support/compound_file.h"
#include "support/test_support.h"
#include "support/word_fixtures.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "wordproc/page_contract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const fs::path kProgram = QUARBEL_PROGRAM_DIR;
const fs::path kProfiles = QUARBEL_BUILD_DIR "/test-libreoffice-profiles";
const fs::path kDocuments = QUARBEL_BUILD_DIR "/test-word-documents";

bool ProcessGone(pid_t pid) {
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Processes of a process group that still run. Ended ones that nobody has collected yet
// (zombies, which a container's first process may never collect) do not count.
int LiveProcessesInGroup(pid_t group) {
  int live = 0;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream in(entry.path() / "stat");
    std::string stat;
    if (!std::getline(in, stat))
      continue;
    const size_t close = stat.rfind(')');
    if (close == std::string::npos)
      continue;
    std::istringstream fields(stat.substr(close + 2));
    char state = 0;
    long parent = 0, pgrp = 0;
    fields >> state >> parent >> pgrp;
    if (pgrp == group && state != 'Z')
      ++live;
  }
  return live;
}

HelperOptions Options(fs::path helper = kProgram / "quarbel-wordproc") {
  HelperOptions options;
  options.helper = std::move(helper);
  options.profiles = kProfiles;
  return options;
}

class WordProcessorTest : public ::testing::Test {
protected:
  // The documents: a .docx in Word's shape, and .doc and .rtf that LibreOffice makes from it.
  // They are kept in the build folder, so that every test process of the suite (and every
  // build) does not convert them again; a lock keeps parallel test processes apart.
  static void SetUpTestSuite() {
    const fs::path folder = kDocuments;
    fs::create_directories(folder);
    const int lock = ::open((folder / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ::flock(lock, LOCK_EX);

    // Writes a document; true when it is new or its bytes changed.
    const auto write = [&folder](const char* name, const std::string& bytes) {
      const bool same = fs::exists(folder / name) && ReadFileBytes(folder / name) == bytes;
      if (!same)
        WriteBytes(folder / name, bytes);
      return !same;
    };
    // LibreOffice's own export of a document into another format, made again when the
    // source changed.
    const auto convert = [&folder](const char* source, bool changed, const char* format) {
      const fs::path target = (folder / source).replace_extension(format);
      if (!changed && fs::exists(target))
        return;
      const std::string command = std::string("soffice --headless -env:UserInstallation=file://") +
                                  kProfiles.string() + "/soffice --convert-to " + format +
                                  " --outdir '" + folder.string() + "' '" +
                                  (folder / source).string() + "' >/dev/null 2>&1";
      EXPECT_EQ(std::system(command.c_str()), 0) << command;
    };

    std::ifstream png(kProgram / "Icons" / "Software" / "PDF.PNG", std::ios::binary);
    WordFixture fixture;
    fixture.pictureBytes.assign(std::istreambuf_iterator<char>(png), {});
    const bool course = write("Курс.docx", MakeDocx(fixture));
    convert("Курс.docx", course, "doc");
    convert("Курс.docx", course, "rtf");
    WordFixture intro = fixture;
    intro.paragraphBeforeContents = true;
    write("intro.docx", MakeDocx(intro));
    WordFixture plain = fixture;
    plain.tableOfContents = false;
    write("plain.docx", MakeDocx(plain));

    WordFixture reviewed;
    reviewed.reviewerComment = true;
    reviewed.trackedChanges = true;
    convert("Рецензія.docx", write("Рецензія.docx", MakeDocx(reviewed)), "doc");
    WordFixture older;
    older.titleAboveContents = true;
    older.contentsHyperlinks = false;
    older.textBox = true;
    write("old-toc.docx", MakeDocx(older));
    const bool lo = write("lo-toc.fodt", MakeFlatOdt());
    convert("lo-toc.fodt", lo, "docx");
    convert("lo-toc.fodt", lo, "doc");
    write("fragment.rtf", "{\\pard Bare {\\b fragment}\\par}\r\n");
    ::flock(lock, LOCK_UN);
    ::close(lock);
  }

  fs::path Document(const char* name) { return kDocuments / name; }

  // Converts one document into a page in a fresh output folder and gives the page.
  std::string Convert(LibreOfficeWordProcessor& word, const fs::path& document) {
    word.open(document);
    word.saveAsWebPage(out / "page1.html");
    word.close();
    return ReadFileBytes(out / "page1.html");
  }

  TempDir out;
};

TEST_F(WordProcessorTest, WordDocumentsOfEveryFormatBecomePagesWithTheirTableOfContents) {
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  for (const char* name : {"Курс.docx", "Курс.doc", "Курс.rtf"}) {
    SCOPED_TRACE(name);
    const std::string page = Convert(word, Document(name));
    EXPECT_EQ(PageContractViolations(page, true), "");
    const std::vector<TocLine> entries = TocLines(page);
    ASSERT_EQ(entries.size(), FixtureHeadings().size());
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].level, FixtureHeadings()[i].level);
      EXPECT_EQ(U(entries[i].title), FixtureHeadings()[i].title);
      EXPECT_NE(page.find("<a name=\"" + entries[i].anchor + "\"></a>"), std::string::npos);
    }
    for (const char* text : {"ґрунтовні", "<b>енергія</b>", "&#8776;", "Величина", "<li>",
                             "Закон відомий з античності."})
      EXPECT_NE(page.find(W(text)), std::string::npos) << text;

    // The picture is a file beside the page, and the page shows it.
    const size_t img = page.find("<img src=\"");
    ASSERT_NE(img, std::string::npos);
    const size_t start = img + 10;
    const std::string picture = page.substr(start, page.find('"', start) - start);
    EXPECT_TRUE(fs::is_regular_file(out / picture)) << picture;
  }
  word.quit();
}

TEST_F(WordProcessorTest, WithoutTableOfContentsOrWithAParagraphBeforeIt) {
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  EXPECT_EQ(PageContractViolations(Convert(word, Document("plain.docx")), false), "");
  const std::string page = Convert(word, Document("intro.docx"));
  EXPECT_EQ(TocLines(page).size(), FixtureHeadings().size());
  EXPECT_LT(page.find("<p class=MsoNormal"), page.find("<p class=MsoToc"));
}

// The names in a folder, sorted.
std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The text a student reads: the page without its markup, blanks collapsed.
std::string ReadableText(const std::string& page) {
  std::string text;
  bool tag = false;
  for (const char c : page.substr(page.find("<body"))) {
    if (c == '<')
      tag = true;
    else if (c == '>')
      tag = false;
    else if (!tag)
      text += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
  }
  std::string collapsed;
  for (const char c : text) {
    if (c != ' ' || (!collapsed.empty() && collapsed.back() != ' '))
      collapsed += c;
  }
  return collapsed;
}

TEST_F(WordProcessorTest, ReviewedDocumentsConvertWithoutCommentsAndWithTheirChangesAccepted) {
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  for (const char* name : {"Рецензія.docx", "Рецензія.doc"}) {
    SCOPED_TRACE(name);
    std::string page;
    ASSERT_EQ(ErrorOf([&] { page = Convert(word, Document(name)); }), "<no error>");
    EXPECT_EQ(PageContractViolations(page, true), "");
    const std::string text = U(ReadableText(page));
    EXPECT_NE(text.find("Фізика вивчає ґрунтовні закони природи"), std::string::npos);
    EXPECT_EQ(text.find(kCommentText), std::string::npos) << "the comment shows";
    EXPECT_NE(text.find(std::string("Зміни: ") + kInsertedText), std::string::npos) << text;
    EXPECT_EQ(text.find(kDeletedText), std::string::npos) << "a deletion shows";
  }
}

TEST_F(WordProcessorTest, NothingIsEverWrittenBesideTheDocuments) {
  TempDir documents;
  for (const char* name :
       {"Курс.docx", "Рецензія.docx", "Рецензія.doc", "lo-toc.doc", "fragment.rtf"})
    fs::copy_file(Document(name), documents / name);
  WriteBytes(documents / "corrupt.docx", MakeDocx({}).substr(0, 700) + std::string(300, '\0'));
  const auto listing = [&documents] { return Listing(documents.path()); };
  const std::vector<std::string> before = listing();

  // A profile of its own: what keeps LibreOffice from writing lock files must come from the
  // helper, not from a profile that an earlier run left behind.
  TempDir profiles;
  HelperOptions options = Options();
  options.profiles = profiles.path();
  LibreOfficeWordProcessor word(options);
  ASSERT_TRUE(word.start());
  for (const std::string& name : before) {
    SCOPED_TRACE(name);
    const std::string error = ErrorOf([&] { word.open(documents / name); });
    EXPECT_EQ(listing(), before) << "while open";
    if (error == "<no error>") {
      word.saveAsWebPage(out / "page1.html");
      word.close();
    } else {
      EXPECT_EQ(name, "corrupt.docx") << error;
    }
    EXPECT_EQ(listing(), before) << "after close";
  }
}

TEST_F(WordProcessorTest, ATableOfContentsUnderItsTitleReachesTheEntries) {
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  // Made in LibreOffice: a title, a subtitle, "Зміст" and three heading levels.
  for (const char* name : {"lo-toc.docx", "lo-toc.doc"}) {
    SCOPED_TRACE(name);
    const std::string page = Convert(word, Document(name));
    EXPECT_EQ(PageContractViolations(page, true), "");
    const std::vector<TocLine> entries = TocLines(page);
    ASSERT_EQ(entries.size(), LoHeadings().size());
    for (size_t i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i].level, LoHeadings()[i].level);
      EXPECT_EQ(U(entries[i].title), LoHeadings()[i].title); // no page number
      EXPECT_NE(page.find("<a name=\"" + entries[i].anchor + "\"></a>"), std::string::npos);
    }
    EXPECT_NE(page.find(W("<p class=MsoTocHeading>Зміст</p>")), std::string::npos);
    EXPECT_NE(page.find("<p class=MsoTitle"), std::string::npos);
    EXPECT_NE(page.find("<p class=MsoSubtitle"), std::string::npos);
    EXPECT_LT(page.find("<p class=MsoToc"), page.find("<p class=MsoNormal"));
  }

  // Made in Word with an older table: no links, no bookmarks on the headings.
  const std::string page = Convert(word, Document("old-toc.docx"));
  EXPECT_EQ(PageContractViolations(page, true), "");
  const std::vector<TocLine> entries = TocLines(page);
  ASSERT_EQ(entries.size(), FixtureHeadings().size());
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].level, FixtureHeadings()[i].level);
    EXPECT_EQ(U(entries[i].title), FixtureHeadings()[i].title);
    const size_t anchor = page.find("<a name=\"" + entries[i].anchor + "\"></a>");
    ASSERT_NE(anchor, std::string::npos) << entries[i].anchor;
    EXPECT_EQ(page.compare(anchor + entries[i].anchor.size() + 15, entries[i].title.size(),
                           entries[i].title),
              0)
        << "the anchor stands at the start of its heading";
  }
  EXPECT_LT(page.find("<p class=MsoToc"), page.find("<p class=MsoNormal"));
}

TEST_F(WordProcessorTest, SpacesOfFormattedRunsTextBoxesAndRtfFragments) {
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  const std::string course = U(ReadableText(Convert(word, Document("Курс.docx"))));
  EXPECT_NE(course.find("Перше друге"), std::string::npos) << course;
  EXPECT_NE(course.find("SECTION 1 Introduction"), std::string::npos) << course;

  // A text box: its caption shows, the empty picture LibreOffice draws for its box does not.
  for (const auto& entry : fs::directory_iterator(out.path()))
    fs::remove_all(entry.path());
  const std::string boxed = Convert(word, Document("old-toc.docx"));
  EXPECT_NE(boxed.find(W(kCaptionText)), std::string::npos);
  EXPECT_EQ(boxed.find("name=\"Shape"), std::string::npos);
  for (const auto& entry : fs::directory_iterator(out.path())) {
    const std::string file = entry.path().filename().string();
    EXPECT_TRUE(file == "page1.html" || boxed.find(file) != std::string::npos)
        << file << " is left in the textbook but no page shows it";
  }

  // RTF without its header, as some programs write it: read as RTF, not shown as code.
  const std::string fragment = Convert(word, Document("fragment.rtf"));
  EXPECT_NE(fragment.find("Bare <b>fragment</b>"), std::string::npos) << fragment;
  EXPECT_EQ(fragment.find("\\pard"), std::string::npos);
}

TEST_F(WordProcessorTest, ACourseOfEveryKindOfDocumentConvertsAndLeavesNothingBesideThem) {
  TempDir documents;
  Outline nodes;
  for (const char* name :
       {"Курс.docx", "Курс.doc", "Курс.rtf", "plain.docx", "intro.docx", "Рецензія.docx",
        "Рецензія.doc", "old-toc.docx", "lo-toc.docx", "lo-toc.doc", "fragment.rtf"}) {
    fs::copy_file(Document(name), documents / name);
    nodes.push_back(
        {0, W(fs::path(name).filename().string()) + " [ " + W((documents / name).string()) + " ]"});
  }
  WriteStructureFile(out / "course.QCT", nodes);
  const std::vector<std::string> listing = Listing(documents.path());
  const std::string command = std::string("'") + (kProgram / "quarbel-convert").string() +
                              "' --yes '" + (out / "course.QCT").string() + "' '" +
                              (out / "book").string() + "' >/dev/null 2>'" +
                              (out / "err.txt").string() + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFileBytes(out / "err.txt");
  EXPECT_EQ(Listing(documents.path()), listing);
  const std::string menu = ReadFileBytes(out / "book" / "menu.html");
  for (const FixtureHeading& heading : LoHeadings())
    EXPECT_NE(menu.find(W(heading.title) + "</a>"), std::string::npos) << heading.title;
  EXPECT_EQ(menu.find(W(">Зміст<")), std::string::npos);
}

TEST_F(WordProcessorTest, LineBreaksInPathsNeverReachAnotherFile) {
  // An output folder "victim<newline>x" beside an existing file "victim": once the command
  // line to the helper was cut at the break and LibreOffice wrote over "victim".
  WriteBytes(out / "victim", "the teacher's file");
  WriteStructureFile(out / "course.QCT",
                     {{0, W("Лекція [ " + Document("plain.docx").string() + " ]")}});
  const std::string command = std::string("'") + (kProgram / "quarbel-convert").string() + "' '" +
                              (out / "course.QCT").string() + "' '" + (out / "victim\nx").string() +
                              "' >/dev/null 2>'" + (out / "err.txt").string() + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << ReadFileBytes(out / "err.txt");
  EXPECT_EQ(ReadFileBytes(out / "victim"), "the teacher's file");
  EXPECT_NE(ReadFileBytes(out / "victim\nx" / "page1.html").find(W("ґрунтовні")),
            std::string::npos);

  // A document whose name holds a line break is the document that is read.
  TempDir documents;
  fs::copy_file(Document("Рецензія.docx"), documents / "lecture\none.docx");
  fs::copy_file(Document("plain.docx"), documents / "lecture");
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  const std::string page = Convert(word, documents / "lecture\none.docx");
  EXPECT_NE(page.find(W(kInsertedText)), std::string::npos);
}

TEST_F(WordProcessorTest, AKilledConverterLeavesTheChosenFolderAsItWas) {
  const fs::path folder = out / "book";
  fs::create_directories(folder);
  WriteBytes(folder / "page1.html", "the teacher's page");
  WriteStructureFile(out / "course.QCT",
                     {{0, W("Лекція [ " + Document("Курс.docx").string() + " ]")},
                      {0, W("Огляд [ " + Document("plain.docx").string() + " ]")}});
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    const std::string convert = (kProgram / "quarbel-convert").string();
    const std::string course = (out / "course.QCT").string();
    ::execl(convert.c_str(), convert.c_str(), course.c_str(), folder.c_str(), nullptr);
    ::_exit(127);
  }
  // Killed while the word processor works: the staging folder is there, the textbook is not.
  for (int i = 0; i < 300; ++i) {
    bool staging = false;
    for (const auto& entry : fs::directory_iterator(out.path()))
      staging = staging || entry.path().filename().string().rfind(".book.quarbel-", 0) == 0;
    if (staging)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the conversion ended before it was killed";
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"page1.html"});
  EXPECT_EQ(ReadFileBytes(folder / "page1.html"), "the teacher's page");
}

TEST_F(WordProcessorTest, BadDocumentsFailOneByOneAndTheWordProcessorGoesOn) {
  WriteBytes(out / "corrupt.docx", MakeDocx({}).substr(0, 700) + std::string(300, '\0'));
  WriteBytes(out / "notes.doc", "Just a few lines of plain text.\n");
  std::string random(3000, '\0');
  for (size_t i = 0; i < random.size(); ++i)
    random[i] = static_cast<char>((i * 7919 + 13) % 251);
  WriteBytes(out / "random.docx", random);
  // A password-protected package: a compound file with the encryption streams.
  const std::string info =
      std::string("\x04\x00\x04\x00\x40\x00\x00\x00", 8) +
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
      "<encryption xmlns=\"http://schemas.microsoft.com/office/2006/encryption\"/>";
  WriteBytes(out / "secret.docx",
             CompoundFile({{"EncryptionInfo", info}, {"EncryptedPackage", std::string(64, 'x')}}));

  struct Case {
    const char* file;
    const char* error;
  } cases[] = {
      {"missing.docx", "Не вдалося знайти документ"},
      {"corrupt.docx", "Не вдалося відкрити документ"},
      {"notes.doc", "не є документом Word"},
      {"random.docx", "не є документом Word"},
      {"secret.docx", "Не вдалося відкрити документ"},
  };
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  for (const Case& c : cases) {
    EXPECT_NE(ErrorOf([&] { word.open(out / c.file); }).find(c.error), std::string::npos) << c.file;
    EXPECT_EQ(PageContractViolations(Convert(word, Document("plain.docx")), false), "") << c.file;
  }
}

TEST_F(WordProcessorTest, AKilledHelperFailsItsDocumentAndTheNextOneGetsANewHelper) {
  LibreOfficeWordProcessor word(Options());
  ASSERT_TRUE(word.start());
  word.open(Document("plain.docx"));
  const pid_t first = word.helperProcess();
  ASSERT_EQ(::kill(first, SIGKILL), 0);
  EXPECT_EQ(ErrorOf([&] { word.saveAsWebPage(out / "page1.html"); }),
            "Текстовий процесор несподівано завершив роботу.");
  EXPECT_TRUE(ProcessGone(first));
  std::string page;
  ASSERT_EQ(ErrorOf([&] { page = Convert(word, Document("Курс.docx")); }), "<no error>");
  EXPECT_EQ(PageContractViolations(page, true), "");
  EXPECT_NE(word.helperProcess(), first);
}

TEST_F(WordProcessorTest, QuitEndsTheHelperAndEverythingItStarted) {
  pid_t helper = 0;
  {
    LibreOfficeWordProcessor word(Options());
    ASSERT_TRUE(word.start());
    helper = word.helperProcess();
    Convert(word, Document("plain.docx"));
    word.quit();
    EXPECT_EQ(word.helperProcess(), 0);
    EXPECT_TRUE(ProcessGone(helper));
    EXPECT_EQ(LiveProcessesInGroup(helper), 0) << "a process of the helper's group is left";
    word.quit(); // twice is harmless
  }
  {
    LibreOfficeWordProcessor word(Options());
    ASSERT_TRUE(word.start());
    helper = word.helperProcess();
  } // the end of the object ends the helper too
  EXPECT_TRUE(ProcessGone(helper));
  EXPECT_EQ(LiveProcessesInGroup(helper), 0);
}

// Stand-ins for the helper, to see the client deal with each way a helper can fail.
fs::path FakeHelper(const TempDir& dir, const char* name, const std::string& script) {
  const fs::path path = dir / name;
  WriteBytes(path, "#!/bin/sh\n" + script);
  ::chmod(path.c_str(), 0755);
  return path;
}

TEST_F(WordProcessorTest, HelpersThatFailAreEndedAndReported) {
  {
    LibreOfficeWordProcessor word(Options(FakeHelper(out, "missing", "echo 'missing not here'\n")));
    EXPECT_FALSE(word.start()); // no LibreOffice: no word processor
  }
  {
    HelperOptions options = Options(FakeHelper(out, "silent", "exec sleep 60\n"));
    options.startLimit = std::chrono::milliseconds(300);
    LibreOfficeWordProcessor word(options);
    EXPECT_EQ(ErrorOf([&] { word.start(); }),
              "Текстовий процесор не відповідав 1 с; його роботу завершено.");
    EXPECT_EQ(word.helperProcess(), 0);
  }
  {
    HelperOptions options =
        Options(FakeHelper(out, "stuck", "echo ready\nread line\nexec sleep 60\n"));
    options.callLimit = std::chrono::milliseconds(300);
    LibreOfficeWordProcessor word(options);
    ASSERT_TRUE(word.start());
    const pid_t stuck = word.helperProcess();
    EXPECT_EQ(ErrorOf([&] { word.open(Document("plain.docx")); }),
              "Текстовий процесор не відповідав 1 с; його роботу завершено.");
    EXPECT_TRUE(ProcessGone(stuck));
  }
  {
    // A LibreOffice without Writer's window layouts cannot open a document with comments;
    // the teacher learns which package is missing.
    LibreOfficeWordProcessor word(Options(FakeHelper(
        out, "nogui",
        "echo ready\nread line\necho 'error writer-ui-missing loadComponentFromURL returned an "
        "empty reference'\nread line\n")));
    ASSERT_TRUE(word.start());
    EXPECT_EQ(ErrorOf([&] { word.open(Document("Рецензія.docx")); }),
              "Не вдалося відкрити документ \"" + Document("Рецензія.docx").string() +
                  "\": встановлений LibreOffice Writer не має вікон, потрібних для документів з "
                  "примітками. Встановіть пакет libreoffice-writer замість "
                  "libreoffice-writer-nogui.");
  }
  {
    // The helper runs within its memory limit: the helper here tells what it got.
    HelperOptions options = Options(FakeHelper(
        out, "limits", "ulimit -v > \"$(dirname \"$0\")/limit\"\necho ready\nread line\n"));
    options.memoryLimitMB = 300;
    LibreOfficeWordProcessor word(options);
    ASSERT_TRUE(word.start());
    word.quit();
    EXPECT_EQ(ReadFileBytes(out / "limit"), std::to_string(300 * 1024) + "\n");
    EXPECT_GE(DefaultHelperMemoryLimitMB(), 1024u);
    EXPECT_LE(DefaultHelperMemoryLimitMB(), 4096u);
  }
  {
    LibreOfficeWordProcessor word(Options(out / "no-such-helper"));
    EXPECT_NE(ErrorOf([&] { word.start(); }).find("Не знайдено допоміжну програму"),
              std::string::npos);
  }
}

} // namespace
} // namespace quarbel

namespace quarbel {
namespace {

// A helper of the conversion that the test can see: its process, and a crash on demand when
// it opens the document named `crashOn`.
class WatchedWordProcessor final : public WordProcessor {
public:
  WatchedWordProcessor(std::vector<pid_t>& helpers, std::mutex& mutex, std::string crashOn)
      : word_(Options()), helpers_(helpers), mutex_(mutex), crashOn_(std::move(crashOn)) {}
  bool start() override {
    const bool started = word_.start();
    std::lock_guard lock(mutex_);
    helpers_.push_back(word_.helperProcess());
    return started;
  }
  void open(const fs::path& document) override {
    word_.open(document);
    if (!crashOn_.empty() && document.filename() == crashOn_)
      ::kill(word_.helperProcess(), SIGKILL);
  }
  void saveAsWebPage(const fs::path& page) override { word_.saveAsWebPage(page); }
  void close() override { word_.close(); }
  void quit() override { word_.quit(); }
  void abort() override { word_.abort(); }

private:
  LibreOfficeWordProcessor word_;
  std::vector<pid_t>& helpers_;
  std::mutex& mutex_;
  std::string crashOn_;
};

class ParallelConversionTest : public WordProcessorTest {
protected:
  // A course of Word documents of every format with a picture, a PDF between them, and the
  // documents named in `extra`.
  void Course(const std::vector<std::string>& extra) {
    input.programFolder = kProgram;
    input.outline.clear();
    const auto add = [&](const fs::path& file) {
      input.outline.push_back({0, W(file.filename().string()) + " [ " + W(file.string()) + " ]"});
    };
    for (const char* name : {"Курс.docx", "Курс.doc", "plain.docx"})
      add(Document(name));
    WriteBytes(out / "notes.pdf", "%PDF-1.4");
    add(out / "notes.pdf");
    for (const std::string& name : extra)
      add(out / name);
    for (const char* name : {"Курс.rtf", "lo-toc.docx", "old-toc.docx"})
      add(Document(name));
  }

  // Converts into `folder`; the error the conversion ended with, or "".
  std::string Convert(const fs::path& folder, int jobs, const std::string& crashOn = "",
                      const PageCache* cache = nullptr) {
    WordPageOptions options;
    options.jobs = jobs;
    options.cache = cache;
    options.version = WordPageVersion(kProgram / "quarbel-wordproc");
    options.factory = [this, crashOn] {
      return std::make_unique<WatchedWordProcessor>(helpers, mutex, crashOn);
    };
    GenerationInput in = input;
    in.outputFolder = folder;
    TextbookFolder textbook(folder);
    textbook.Prepare();
    SilentProgress quiet;
    std::string error;
    try {
      EXPECT_EQ(GenerateTextbook(in, textbook, options, quiet), GenerationResult::Done);
    } catch (const Error& failure) {
      error = U(failure.text());
    }
    // However the conversion ended, no helper of it is left.
    for (pid_t helper : helpers)
      EXPECT_TRUE(helper == 0 || ProcessGone(helper)) << helper;
    return error;
  }

  GenerationInput input;
  std::vector<pid_t> helpers;
  std::mutex mutex;
};

TEST_F(ParallelConversionTest, HelpersSideBySideWriteTheSameTextbook) {
  WriteBytes(out / "corrupt.docx", MakeDocx({}).substr(0, 700) + std::string(300, '\0'));
  for (bool failing : {false, true}) {
    Course(failing ? std::vector<std::string>{"corrupt.docx"} : std::vector<std::string>{});
    const std::string error = Convert(out / "jobs1", 1);
    EXPECT_EQ(error.empty(), !failing) << error;
    const auto expected = FolderContents(out / "jobs1");
    EXPECT_TRUE(std::any_of(expected.begin(), expected.end(), [](const auto& file) {
      return file.first.find("_html_") != std::string::npos; // the fixture's picture
    }));
    for (int jobs : {2, 3}) {
      const fs::path folder = out / ("jobs" + std::to_string(jobs));
      EXPECT_EQ(Convert(folder, jobs), error) << jobs;
      EXPECT_EQ(FolderContents(folder), expected) << jobs;
      fs::remove_all(folder);
    }
    fs::remove_all(out / "jobs1");
  }
}

TEST_F(ParallelConversionTest, AHelperThatDiesFailsTheDocumentItHeldAsOneHelperWould) {
  fs::copy_file(Document("plain.docx"), out / "victim.docx");
  Course({"victim.docx"});
  const std::string alone = Convert(out / "alone", 1, "victim.docx");
  EXPECT_NE(alone.find("victim.docx"), std::string::npos) << alone;
  EXPECT_NE(alone.find("Текстовий процесор несподівано завершив роботу."), std::string::npos)
      << alone;
  const std::string side = Convert(out / "side", 2, "victim.docx");
  EXPECT_EQ(side, alone);
  EXPECT_EQ(FolderContents(out / "side"), FolderContents(out / "alone"));
}

TEST_F(ParallelConversionTest, ASecondConversionOfAnUnchangedCourseStartsNoHelper) {
  Course({});
  const PageCache cache(out / "cache", PageCache::kDefaultLimit);
  ASSERT_EQ(Convert(out / "book", 2, "", &cache), "");
  EXPECT_EQ(helpers.size(), 2u);
  const auto first = FolderContents(out / "book");
  helpers.clear();
  ASSERT_EQ(Convert(out / "book", 2, "", &cache), "");
  EXPECT_TRUE(helpers.empty());
  EXPECT_EQ(FolderContents(out / "book"), first);
}

} // namespace
} // namespace quarbel
