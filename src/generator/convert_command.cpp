#include "generator/convert_command.h"

#include "generator/generate_textbook.h"
#include "generator/textbook_folder.h"
#include "generator/wrapper_pages.h"
#include "structure/node_text.h"
#include "text/cp1251.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <set>

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

// Word documents in the sense of the name check: the extension is exactly one of these.
bool IsWordDocumentPath(const std::string& path) {
  const std::string ext = UpperCaseText(ExtensionOf(path));
  return ext == ".DOC" || ext == ".DOCX" || ext == ".RTF";
}

} // namespace

bool CheckCourseForConversion(const Outline& outline, Prompts& prompts,
                              const std::function<bool()>& wordRunning) {
  std::vector<std::string> documents;
  for (const OutlineNode& node : outline) {
    if (IsDocumentText(node.text))
      documents.push_back(PathFromNodeText(node.text));
  }
  if (documents.empty()) {
    prompts.Warning(T("Конвертування неможливе, додайте принаймні один документ !"));
    return false;
  }
  if (wordRunning()) {
    prompts.Warning(T("Конвертування неможливе, закрийте Microsoft Office Word !"));
    return false;
  }
  for (const std::string& path : documents) {
    std::error_code error;
    if (!std::filesystem::exists(FsPath(path), error)) {
      if (!prompts.AskYesNo(T("Деякі документи зі структури не існують, бажаєте продовжити ?")))
        return false;
      break;
    }
  }
  std::set<std::string_view> names;
  for (const std::string& path : documents) {
    if (IsWordDocumentPath(path))
      continue;
    if (!names.insert(FileNameOf(path)).second) {
      if (!prompts.AskYesNo(
              T("Деякі документи зі структури мають однакове ім'я, бажаєте продовжити ?")))
        return false;
      break;
    }
  }
  return true;
}

ConvertOutcome ConvertCourse(GenerationInput input, Prompts& prompts, WordProcessor& word,
                             ProgressSink& progress, const std::function<bool()>& wordRunning) {
  if (!CheckCourseForConversion(input.outline, prompts, wordRunning))
    return ConvertOutcome::Refused;
  const auto chosen = prompts.ChooseFolder(T("Виберіть папку для збереження"));
  if (!chosen || chosen->empty())
    return ConvertOutcome::Cancelled;
  input.outputFolder = *chosen;

  TextbookFolder folder(input.outputFolder);
  progress.SetMaximum(0);
  progress.SetPosition(0);
  progress.Show();
  GenerationResult result;
  try {
    folder.Prepare();
    result = GenerateTextbook(input, folder, word, progress);
  } catch (const std::exception&) {
    folder.RemoveWhatWasMade();
    progress.Close();
    prompts.Warning(T("Помилка при конвертуванні !"));
    return ConvertOutcome::Failed;
  }
  if (result == GenerationResult::WordProcessorMissing) {
    folder.RemoveWhatWasMade();
    progress.Close();
    prompts.Warning(T("Для коректної роботи програми, необхідно встановити LibreOffice Writer !"));
    return ConvertOutcome::WordProcessorMissing;
  }
  progress.Close();
  prompts.Information(T("Конвертування успішно завершено !"));
  return ConvertOutcome::Done;
}

} // namespace quarbel
