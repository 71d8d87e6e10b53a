#include "records/record_commands.h"

#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/error.h"
#include "text/file_bytes.h"

#include <gtest/gtest.h>

namespace quarbel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const fs::path kTemplate = fs::path(QUARBEL_PROGRAM_DIR) / "Data Base" / "Data Base.QCD";
const char* const kFilter = "Файли Quarbel Vorizareda Data Base (*.QCD)";

class RecordCommandsTest : public ::testing::Test {
protected:
  RecordValue Title() {
    RecordValue value;
    value.texts[Discipline] = W("Фізика");
    return value;
  }
  ScriptedPrompts prompts;
  RecordCommands commands{prompts, kTemplate};
  TempDir dir;
};

TEST_F(RecordCommandsTest, SavingAsksBeforeReplacingAndChoosesAgainOnNo) {
  WriteBytes(dir / "old.QCD", "the teacher's older record");
  prompts.files = {dir / "old.QCD", dir / "new.QCD"};
  prompts.answers = {Answer::No};
  commands.Save(RecordKind::TitlePage, Title());
  EXPECT_EQ(prompts.said,
            (std::vector<std::string>{std::string("save: ") + kFilter,
                                      "question: Даний файл вже існує, бажаєте замінити його ?",
                                      std::string("save: ") + kFilter}));
  EXPECT_EQ(OpenRecordFile(dir / "new.QCD", RecordKind::TitlePage).texts[Discipline], W("Фізика"));
  EXPECT_EQ(ReadFileBytes(dir / "old.QCD"), "the teacher's older record");

  prompts.said.clear();
  prompts.files = {fs::path()}; // Cancel
  commands.Save(RecordKind::TitlePage, Title());
  EXPECT_EQ(prompts.said, (std::vector<std::string>{std::string("save: ") + kFilter}));
}

TEST_F(RecordCommandsTest, OpeningReadsTheRecordOrSaysWhyNot) {
  RecordValue withPicture = Title();
  withPicture.picture = RecordPicture{"GIF89a picture bytes", ".gif"};
  withPicture.checked = true;
  SaveRecordFile(kTemplate, dir / "logo.QCD", RecordKind::TitlePage, withPicture);
  const auto readable = [](const RecordPicture&) { return true; };

  prompts.files = {dir / "logo.QCD"};
  const auto opened = commands.Open(RecordKind::TitlePage, readable);
  ASSERT_TRUE(opened);
  EXPECT_EQ(opened->texts[Discipline], W("Фізика"));
  ASSERT_TRUE(opened->picture);

  prompts.files = {fs::path()};
  EXPECT_FALSE(commands.Open(RecordKind::TitlePage, readable));

  prompts.said.clear();
  prompts.files = {dir / "gone.QCD"};
  EXPECT_FALSE(commands.Open(RecordKind::TitlePage, readable));
  EXPECT_EQ(prompts.said.back(), "warning: Не вдалося знайти зазначений файл !");

  prompts.files = {dir / "logo.QCD"};
  EXPECT_EQ(ErrorOf([&] {
              commands.Open(RecordKind::TitlePage, [](const RecordPicture&) { return false; });
            }),
            "Не вдалося прочитати зображення з файлу запису");
}

} // namespace
} // namespace quarbel
