#include "prompts/command_runner.h"

#include "support/scripted_prompts.h"
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
