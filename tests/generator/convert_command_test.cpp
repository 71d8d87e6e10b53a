#include "generator/convert_command.h"

#include "generator/fake_word_processor.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

#include <map>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class Progress : public ProgressSink {
public:
  void Show() override { shown = true; }
  void Close() override {
    shown = false;
    ++closed;
  }
  void SetMaximum(int) override {}
  void SetPosition(int) override {}
  void ProcessEvents() override {}
  bool shown = false;
  int closed = 0;
};

const char* const kNoDocument =
    "warning: Конвертування неможливе, додайте принаймні один документ !";
const char* const kWordRunning =
    "warning: Конвертування неможливе, закрийте Microsoft Office Word !";
const char* const kMissing =
    "question: Деякі документи зі структури не існують, бажаєте продовжити ?";
const char* const kSameName =
    "question: Деякі документи зі структури мають однакове ім'я, бажаєте продовжити ?";
const char* const kFolder = "folder: Виберіть папку для збереження";
const char* const kDone = "information: Конвертування успішно завершено !";
const char* const kFailed = "warning: Помилка при конвертуванні !";

class ConvertTest : public ::testing::Test {
protected:
  ConvertTest() {
    for (const char* name :
         {"a/A.pdf", "b/A.pdf", "b/a.pdf", "a/A.doc", "b/A.doc", "a/broken.doc", "a/x.doc"}) {
      fs::create_directories((sources / name).parent_path());
      WriteBytes(sources / name, "content");
    }
    input.programFolder = QUARBEL_PROGRAM_DIR;
  }
  std::string Doc(const char* name) { return "d [ " + (sources / name).string() + " ]"; }
  ConvertOutcome Convert(Outline outline, bool wordRunning = false) {
    input.outline = std::move(outline);
    return ConvertCourse(input, prompts, word, progress, [=] { return wordRunning; });
  }

  TempDir sources, out;
  GenerationInput input;
  ScriptedPrompts prompts;
  FakeWordProcessor word;
  Progress progress;
};

TEST_F(ConvertTest, TheChecksComeInTheirOrderAndStopTheCommand) {
  EXPECT_EQ(Convert({{0, "A"}, {1, "B"}}, true), ConvertOutcome::Refused);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kNoDocument}));

  prompts.said.clear();
  EXPECT_EQ(Convert({{0, Doc("a/A.pdf")}}, true), ConvertOutcome::Refused);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kWordRunning}));

  // Two missing documents give one question; No stops.
  prompts.said.clear();
  prompts.answers = {Answer::No};
  EXPECT_EQ(Convert({{0, Doc("a/gone.pdf")}, {0, Doc("a/gone2.pdf")}}), ConvertOutcome::Refused);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{std::string(kMissing) + "\r\n\r\n" +
                                                    (sources / "a/gone.pdf").string() + "\r\n" +
                                                    (sources / "a/gone2.pdf").string()}));

  // Non-Word documents with the same name; Word documents and other letter case do not count.
  prompts.said.clear();
  prompts.folders = {fs::path()};
  EXPECT_EQ(
      Convert({{0, Doc("a/A.doc")}, {0, Doc("b/A.doc")}, {0, Doc("a/A.pdf")}, {0, Doc("b/a.pdf")}}),
      ConvertOutcome::Cancelled);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kFolder}));

  prompts.said.clear();
  prompts.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ(
      Convert(
          {{0, Doc("a/gone.pdf")}, {0, Doc("a/A.pdf")}, {0, Doc("b/A.pdf")}, {0, Doc("b/A.pdf")}}),
      ConvertOutcome::Refused);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{std::string(kMissing) + "\r\n\r\n" +
                                                        (sources / "a/gone.pdf").string(),
                                                    kSameName}));
  EXPECT_FALSE(progress.shown);
  EXPECT_EQ(progress.closed, 0);
}

TEST_F(ConvertTest, TheMissingDocumentsQuestionNamesTheFirstTenAndCountsTheRest) {
  Outline outline;
  for (int i = 1; i <= 13; ++i)
    outline.push_back({0, Doc(("a/gone" + std::to_string(i) + ".pdf").c_str())});
  prompts.answers = {Answer::No};
  EXPECT_EQ(Convert(outline), ConvertOutcome::Refused);
  ASSERT_EQ(prompts.said.size(), 1u);
  const std::string& question = prompts.said[0];
  EXPECT_NE(question.find("gone10.pdf"), std::string::npos);
  EXPECT_EQ(question.find("gone11.pdf"), std::string::npos);
  const std::string more = "\r\n… та ще 3";
  ASSERT_GT(question.size(), more.size());
  EXPECT_EQ(question.substr(question.size() - more.size()), more);
}

TEST_F(ConvertTest, ASuccessfulConversionReportsItself) {
  prompts.folders = {out / "book"};
  EXPECT_EQ(Convert({{0, Doc("a/x.doc")}, {0, Doc("a/A.pdf")}}), ConvertOutcome::Done);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kFolder, kDone}));
  EXPECT_TRUE(fs::exists(out / "book" / "index.html"));
  EXPECT_EQ(progress.closed, 1);
}

TEST_F(ConvertTest, AFailureInANewFolderLeavesNoFolder) {
  prompts.folders = {out / "new"};
  EXPECT_EQ(Convert({{0, Doc("a/x.doc")}, {0, Doc("a/broken.doc")}, {0, Doc("a/A.pdf")}}),
            ConvertOutcome::Failed);
  EXPECT_EQ(prompts.said, (std::vector<std::string>{
                              kFolder, std::string(kFailed) + "\nДокумент \"" +
                                           (sources / "a/broken.doc").string() +
                                           "\" не вдалося перетворити на сторінку:\ncannot open"}));
  EXPECT_FALSE(fs::exists(out / "new"));
  EXPECT_EQ(progress.closed, 1);
}

TEST_F(ConvertTest, AFailureInAFolderWithFilesKeepsThemAll) {
  const fs::path folder = out / "mine";
  fs::create_directories(folder / "img");
  WriteBytes(folder / "notes.txt", "my notes");
  WriteBytes(folder / "img" / "photo.png", "my photo");
  WriteBytes(folder / "page1.html", "an old page");
  prompts.folders = {folder};
  EXPECT_EQ(Convert({{0, Doc("a/x.doc")},
                     {0, Doc("a/A.pdf")},
                     {0, Doc("a/broken.doc")},
                     {0, Doc("a/A.doc")}}),
            ConvertOutcome::Failed);
  EXPECT_EQ(ReadFileBytes(folder / "notes.txt"), "my notes");
  EXPECT_EQ(ReadFileBytes(folder / "img" / "photo.png"), "my photo");
  EXPECT_TRUE(fs::exists(folder / "page1.html")); // it was there before
  EXPECT_FALSE(fs::exists(folder / "page2.html"));
  EXPECT_FALSE(fs::exists(folder / "other"));
  EXPECT_FALSE(fs::exists(folder / "img" / "pdf.png"));
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
    ++entries;
  EXPECT_EQ(entries, 3u);
}

TEST_F(ConvertTest, AMissingWordProcessorIsReportedByNameAndNothingStays) {
  word.installed = false;
  prompts.folders = {out / "book"};
  EXPECT_EQ(Convert({{0, Doc("a/A.pdf")}, {0, Doc("a/x.doc")}}),
            ConvertOutcome::WordProcessorMissing);
  EXPECT_EQ(prompts.said.back(),
            "warning: Для коректної роботи програми, необхідно встановити LibreOffice Writer !");
  EXPECT_FALSE(fs::exists(out / "book"));
}

// A word processor that is installed but cannot be started (its helper is missing or dies).
class UnstartableWordProcessor : public FakeWordProcessor {
public:
  bool start() override { throw Error("the helper is gone"); }
};

TEST_F(ConvertTest, AWordProcessorThatCannotStartIsReportedAsMissing) {
  UnstartableWordProcessor broken;
  prompts.folders = {out / "book"};
  input.outline = {{0, Doc("a/A.pdf")}, {0, Doc("a/x.doc")}};
  EXPECT_EQ(ConvertCourse(input, prompts, broken, progress, [] { return false; }),
            ConvertOutcome::WordProcessorMissing);
  EXPECT_EQ(prompts.said.back(),
            "warning: Для коректної роботи програми, необхідно встановити LibreOffice Writer !");
  EXPECT_FALSE(fs::exists(out / "book"));
}

TEST_F(ConvertTest, AnOutputFolderThatCannotBeWrittenFails) {
  WriteBytes(out / "file", "a file, not a folder");
  prompts.folders = {out / "file" / "book"};
  EXPECT_EQ(Convert({{0, Doc("a/A.pdf")}}), ConvertOutcome::Failed);
  EXPECT_EQ(prompts.said.back(), std::string(kFailed) + "\nНе вдалося створити папку \"" +
                                     (out / "file" / "book").string() +
                                     "\": частина шляху не є папкою");
  EXPECT_EQ(ReadFileBytes(out / "file"), "a file, not a folder");
}

// Everything in a folder, with the contents of its files ("->" for a link and its target).
std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string name = it->path().lexically_relative(folder).string();
    if (it->is_symlink())
      contents[name] = "-> " + fs::read_symlink(it->path()).string();
    else if (it->is_regular_file())
      contents[name] = ReadFileBytes(it->path());
    else
      contents[name] = "<folder>";
  }
  return contents;
}

TEST_F(ConvertTest, AFailureLeavesTheTeachersFilesOfTextbookNamesAsTheyWere) {
  const fs::path folder = out / "mine";
  fs::create_directories(folder);
  WriteBytes(folder / "page1.html", "my first page");
  WriteBytes(folder / "page2.html", "my second page");
  WriteBytes(folder / "index.html", "my index");
  const auto before = Contents(folder);
  prompts.folders = {folder};
  EXPECT_EQ(Convert({{0, Doc("a/x.doc")}, {0, Doc("a/A.pdf")}, {0, Doc("a/broken.doc")}}),
            ConvertOutcome::Failed);
  EXPECT_EQ(Contents(folder), before);
  // Nothing of the conversion stays beside the folder either.
  EXPECT_EQ(Contents(out.path()).size(), before.size() + 1);
}

TEST_F(ConvertTest, FoldersAndLinksTheTeacherMadeSurviveAFailure) {
  fs::create_directories(out / "empty");
  fs::create_symlink(out / "nowhere", out / "dangling");
  fs::create_symlink(out / "loop", out / "loop");
  for (const char* name : {"empty", "dangling", "loop"}) {
    SCOPED_TRACE(name);
    prompts.folders = {out / name};
    EXPECT_EQ(Convert({{0, Doc("a/x.doc")}, {0, Doc("a/broken.doc")}}), ConvertOutcome::Failed);
  }
  EXPECT_TRUE(fs::is_directory(out / "empty"));
  EXPECT_TRUE(fs::is_empty(out / "empty"));
  EXPECT_EQ(fs::read_symlink(out / "dangling"), out / "nowhere");
  EXPECT_EQ(fs::read_symlink(out / "loop"), out / "loop");
  EXPECT_FALSE(fs::exists(fs::symlink_status(out / "nowhere")));
  EXPECT_EQ(Contents(out.path()).size(), 3u);
}

TEST_F(ConvertTest, ALinkAtATextbookNameIsNeverWrittenThrough) {
  const fs::path folder = out / "book";
  fs::create_directories(folder / "other");
  WriteBytes(out / "victim", "precious");
  fs::create_symlink("../victim", folder / "page2.html");
  fs::create_symlink("../../victim", folder / "other" / "a.pdf");
  prompts.folders = {folder};
  EXPECT_EQ(Convert({{0, Doc("a/x.doc")}, {0, Doc("a/A.pdf")}}), ConvertOutcome::Done);
  EXPECT_EQ(ReadFileBytes(out / "victim"), "precious");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "page2.html")));
  // The teacher's link at a copy's name is the teacher's file: it stays, and is not followed.
  EXPECT_TRUE(fs::is_symlink(folder / "other" / "a.pdf"));
}

TEST_F(ConvertTest, ConvertingAgainReplacesWhatTheEarlierConversionMadeAndNothingElse) {
  const fs::path folder = out / "book";
  fs::create_directories(folder / "other");
  WriteBytes(folder / "other" / "mine.pdf", "the teacher's own file");
  WriteBytes(sources / "a" / "old.pdf", "a document taken out later");
  prompts.folders = {folder, folder};
  ASSERT_EQ(Convert({{0, Doc("a/A.pdf")}, {0, Doc("a/old.pdf")}}), ConvertOutcome::Done);
  EXPECT_EQ(ReadFileBytes(folder / "other" / "a.pdf"), "content");
  EXPECT_TRUE(fs::exists(folder / "page2.html"));

  // The teacher changes one document and takes the other out of the course.
  WriteBytes(sources / "a" / "A.pdf", "changed content");
  WriteBytes(sources / "a" / "mine.pdf", "a document named as the teacher's file");
  ASSERT_EQ(Convert({{0, Doc("a/A.pdf")}, {0, Doc("a/mine.pdf")}}), ConvertOutcome::Done);
  EXPECT_EQ(ReadFileBytes(folder / "other" / "a.pdf"), "changed content");
  EXPECT_FALSE(fs::exists(folder / "other" / "old.pdf"));
  EXPECT_EQ(ReadFileBytes(folder / "other" / "mine.pdf"), "the teacher's own file");
  EXPECT_TRUE(fs::exists(folder / "page2.html"));
}

TEST_F(ConvertTest, AStagingFolderThatAKilledConversionLeftIsTakenAway) {
  const fs::path folder = out / "book";
  // What a conversion killed midway leaves: a staging folder beside the chosen one, named for
  // a process that no longer runs.
  const fs::path left = out / ".book.quarbel-999999999-1";
  fs::create_directories(left / "img");
  WriteBytes(left / "page1.html", "half a page");
  prompts.folders = {folder};
  EXPECT_EQ(Convert({{0, Doc("a/A.pdf")}}), ConvertOutcome::Done);
  EXPECT_FALSE(fs::exists(left));
  EXPECT_EQ(Contents(out.path()).count("book/page1.html"), 1u);
}

} // namespace
} // namespace quarbel
