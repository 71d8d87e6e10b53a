#include "support/scripted_prompts.h"

#include "text/cp1251.h"

#include <stdexcept>

namespace quarbel::testing {

Answer ScriptedPrompts::Next() {
  if (answers.empty())
    throw std::logic_error("a question nobody expected: " + said.back());
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedPrompts::Warning(const std::string& text) {
  said.push_back("warning: " + Utf8FromCp1251(text));
}

void ScriptedPrompts::ReportError(const std::string& text) {
  said.push_back("error: " + Utf8FromCp1251(text));
}

void ScriptedPrompts::Information(const std::string& text) {
  said.push_back("information: " + Utf8FromCp1251(text));
}

bool ScriptedPrompts::InformationWithOffer(const std::string& text, const std::string& offer) {
  said.push_back("information: " + Utf8FromCp1251(text) + " [" + Utf8FromCp1251(offer) + "]");
  if (offers.empty())
    return false;
  const bool taken = offers.front();
  offers.pop_front();
  return taken;
}

bool ScriptedPrompts::AskYesNo(const std::string& text) {
  said.push_back("question: " + Utf8FromCp1251(text));
  return Next() == Answer::Yes;
}

Answer ScriptedPrompts::AskYesNoCancel(const std::string& text) {
  said.push_back("question: " + Utf8FromCp1251(text));
  return Next();
}

std::optional<std::filesystem::path> ScriptedPrompts::ChooseFolder(const std::string& title) {
  said.push_back("folder: " + Utf8FromCp1251(title));
  if (folders.empty())
    throw std::logic_error("a folder chooser nobody expected");
  const std::filesystem::path folder = folders.front();
  folders.pop_front();
  if (folder.empty())
    return std::nullopt;
  return folder;
}

std::optional<std::filesystem::path> ScriptedPrompts::NextFile(const char* kind,
                                                               const std::string& filters) {
  said.push_back(std::string(kind) + ": " + Utf8FromCp1251(filters));
  if (files.empty())
    throw std::logic_error("a file chooser nobody expected");
  const std::filesystem::path file = files.front();
  files.pop_front();
  if (file.empty())
    return std::nullopt;
  return file;
}

std::optional<std::filesystem::path> ScriptedPrompts::ChooseOpenFile(const std::string& filters) {
  return NextFile("open", filters);
}

std::optional<std::filesystem::path> ScriptedPrompts::ChooseSaveFile(const std::string& filters,
                                                                     const std::string&) {
  return NextFile("save", filters);
}

std::vector<std::filesystem::path> ScriptedPrompts::ChooseOpenFiles(const std::string& filters) {
  said.push_back("open files: " + Utf8FromCp1251(filters));
  if (fileLists.empty())
    throw std::logic_error("a file chooser nobody expected");
  auto list = fileLists.front();
  fileLists.pop_front();
  return list;
}

std::optional<RgbColor> ScriptedPrompts::ChooseColour(RgbColor initial) {
  said.push_back("colour: " + std::to_string(initial.r) + "," + std::to_string(initial.g) + "," +
                 std::to_string(initial.b));
  if (colours.empty())
    throw std::logic_error("a colour chooser nobody expected");
  const auto colour = colours.front();
  colours.pop_front();
  return colour;
}

std::optional<ChosenFile> ScriptedPrompts::ChooseSaveFileWithFilter(const std::string& filters) {
  said.push_back("save as: " + Utf8FromCp1251(filters));
  if (savedFiles.empty())
    throw std::logic_error("a save chooser nobody expected");
  const auto file = savedFiles.front();
  savedFiles.pop_front();
  return file;
}

std::optional<FontChoice> ScriptedPrompts::ChooseFont(const FontChoice& initial) {
  said.push_back("font: " + Utf8FromCp1251(initial.name));
  if (fonts.empty())
    throw std::logic_error("a font chooser nobody expected");
  const auto font = fonts.front();
  fonts.pop_front();
  return font;
}

} // namespace quarbel::testing
