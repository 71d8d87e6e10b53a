// The word processor for real: our helper with LibreOffice, on documents the tests write.
#include "wordproc/libreoffice_word_processor.h"

#include "support/compound_file.h"
#include "support/test_support.h"
#include "support/word_fixtures.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "wordproc/page_contract.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>

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

    std::ifstream png(kProgram / "Icons" / "Software" / "PDF.PNG", std::ios::binary);
    WordFixture fixture;
    fixture.pictureBytes.assign(std::istreambuf_iterator<char>(png), {});
    const std::string course = MakeDocx(fixture);
    const bool same =
        fs::exists(folder / "Курс.docx") && ReadFileBytes(folder / "Курс.docx") == course;
    WriteBytes(folder / "Курс.docx", course);
    WordFixture intro = fixture;
    intro.paragraphBeforeContents = true;
    WriteBytes(folder / "intro.docx", MakeDocx(intro));
    WordFixture plain = fixture;
    plain.tableOfContents = false;
    WriteBytes(folder / "plain.docx", MakeDocx(plain));
    for (const char* format : {"doc", "rtf"}) {
      if (same && fs::exists(folder / (std::string("Курс.") + format)))
        continue;
      const std::string command = std::string("soffice --headless -env:UserInstallation=file://") +
                                  kProfiles.string() + "/soffice --convert-to " + format +
                                  " --outdir '" + folder.string() + "' '" +
                                  (folder / "Курс.docx").string() + "' >/dev/null 2>&1";
      EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
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
              "Текстовий процесор не відповідає; його роботу завершено.");
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
              "Текстовий процесор не відповідає; його роботу завершено.");
    EXPECT_TRUE(ProcessGone(stuck));
  }
  {
    LibreOfficeWordProcessor word(Options(out / "no-such-helper"));
    EXPECT_NE(ErrorOf([&] { word.start(); }).find("Не знайдено допоміжну програму"),
              std::string::npos);
  }
}

} // namespace
} // namespace quarbel
