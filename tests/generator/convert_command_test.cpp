#include "generator/convert_command.h"

#include "generator/fake_word_processor.h"
#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kMissing}));

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
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kMissing, kSameName}));
  EXPECT_FALSE(progress.shown);
  EXPECT_EQ(progress.closed, 0);
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
  EXPECT_EQ(prompts.said, (std::vector<std::string>{kFolder, kFailed}));
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

TEST_F(ConvertTest, AnOutputFolderThatCannotBeWrittenFails) {
  WriteBytes(out / "file", "a file, not a folder");
  prompts.folders = {out / "file" / "book"};
  EXPECT_EQ(Convert({{0, Doc("a/A.pdf")}}), ConvertOutcome::Failed);
  EXPECT_EQ(prompts.said.back(), kFailed);
  EXPECT_EQ(ReadFileBytes(out / "file"), "a file, not a folder");
}

} // namespace
} // namespace quarbel
