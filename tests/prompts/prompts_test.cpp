#include "prompts/command_runner.h"

#include "support/scripted_prompts.h"
#include "support/test_support.h"
#include "text/cp1251.h"
#include "text/error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace quarbel {
namespace {

using namespace testing;

TEST(RunCommand, WhateverACommandThrowsBecomesTheGeneralErrorReport) {
  struct Case {
    const char* name;
    std::function<void()> command;
    std::vector<std::string> said;
  } cases[] = {
      {"nothing goes wrong", [] {}, {}},
      {"our own error",
       [] { throw Error(Cp1251FromUtf8("Не вдалося записати файл")); },
       {"error: Не вдалося записати файл"}},
      {"a library's error in English",
       [] { throw std::runtime_error("GIF encoding failed: no memory"); },
       {"error: Внутрішня помилка програми."}},
      {"a file system error",
       [] {
         throw std::filesystem::filesystem_error(
             "x", "/tmp/Курс.QCT", std::make_error_code(std::errc::no_space_on_device));
       },
       {"error: Помилка роботи з файлом \"/tmp/Курс.QCT\": на диску немає вільного місця"}},
      {"no memory", [] { throw std::bad_alloc(); }, {"error: Недостатньо пам'яті."}},
      {"not even an exception", [] { throw 42; }, {"error: Внутрішня помилка програми."}},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    EXPECT_EQ(RunCommand(prompts, c.command), c.said.empty()) << c.name;
    EXPECT_EQ(prompts.said, c.said) << c.name;
  }
}

} // namespace
} // namespace quarbel

namespace quarbel {
namespace {

using namespace testing;

TEST(PreferredOpenFilter, AllSupportedTypesComeFirstWhereTheListHasThem) {
  const std::string video = Cp1251FromUtf8("Відео (*.MP4 *.mp4)");
  const std::string all = Cp1251FromUtf8("Всі підтримувані типи файлів (*.MP4 *.mp4 *.PDF *.pdf)");
  const std::string pdf = "PDF (*.PDF *.pdf)";
  EXPECT_EQ(PreferredOpenFilter(video + ";;" + pdf + ";;" + all), all);
  EXPECT_EQ(PreferredOpenFilter(video + ";;" + pdf), video);
  EXPECT_EQ(PreferredOpenFilter(all), all);
  EXPECT_EQ(PreferredOpenFilter(""), "");
}

TEST(ChooseFileToSave, AsksBeforeReplacingAndChoosesAgainOnNo) {
  TempDir dir;
  WriteBytes(dir / "old.QCT", "x");
  WriteBytes(dir / "mine.QCT", "x");
  const std::string question = "question: Даний файл вже існує, бажаєте замінити його ?";
  struct Case {
    const char* name;
    std::filesystem::path first, own;
    std::deque<Answer> answers;
    std::deque<std::filesystem::path> chooser; // an empty path: Cancel
    std::optional<std::filesystem::path> result;
    std::vector<std::string> said;
  } cases[] = {
      {"a new file", dir / "new.QCT", {}, {}, {}, dir / "new.QCT", {}},
      {"replace: yes", dir / "old.QCT", {}, {Answer::Yes}, {}, dir / "old.QCT", {question}},
      {"replace: no, then another name",
       dir / "old.QCT",
       {},
       {Answer::No},
       {dir / "new.QCT"},
       dir / "new.QCT",
       {question, "save: Структура (*.QCT)"}},
      {"replace: no, then cancel",
       dir / "old.QCT",
       {},
       {Answer::No},
       {{}},
       std::nullopt,
       {question, "save: Структура (*.QCT)"}},
      {"the file the work came from",
       dir / "mine.QCT",
       dir / "mine.QCT",
       {},
       {},
       dir / "mine.QCT",
       {}},
      {"nothing chosen yet",
       {},
       {},
       {Answer::Yes},
       {dir / "old.QCT"},
       dir / "old.QCT",
       {"save: Структура (*.QCT)", question}},
  };
  for (const Case& c : cases) {
    ScriptedPrompts prompts;
    prompts.answers = c.answers;
    prompts.files = c.chooser;
    const auto chosen = prompts.ChooseFileToSave(
        [&] { return prompts.ChooseSaveFile(Cp1251FromUtf8("Структура (*.QCT)"), "QCT"); }, c.first,
        c.own);
    EXPECT_EQ(chosen, c.result) << c.name;
    EXPECT_EQ(prompts.said, c.said) << c.name;
  }
}

} // namespace
} // namespace quarbel
