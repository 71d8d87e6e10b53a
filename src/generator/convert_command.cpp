#include "generator/convert_command.h"

#include "generator/generate_textbook.h"
#include "generator/modern_textbook.h"
#include "generator/package/epub_book.h"
#include "generator/package/scorm_package.h"
#include "generator/package/zip_writer.h"
#include "generator/staged_textbook.h"
#include "generator/textbook_folder.h"
#include "generator/wrapper_pages.h"
#include "structure/node_text.h"
#include "text/cp1251.h"
#include "text/error_text.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/replace_all.h"
#include "text/text_case.h"

#include <memory>
#include <new>
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

// The package of a conversion that succeeded, made from the staged textbook and the pages the
// walk made; written beside its place, for the caller to put there.
std::unique_ptr<ZipWriter> MakePackage(const GenerationInput& input,
                                       const std::vector<BookNode>& nodes,
                                       const std::filesystem::path& staged) {
  auto zip = std::make_unique<ZipWriter>(PackageFileOf(input.outputFolder, input.package));
  if (input.package == TextbookPackage::Epub) {
    WriteEpubBook(input, nodes, staged, *zip);
  } else {
    ScormCourse course;
    course.title = Utf8FromCp1251(ModernCourseTitle(input));
    course.identifier = "quarbel-" + PackageUuid(input.outputFolder, course.title);
    course.tree = PageTree(nodes, false);
    for (const BookNode& node : nodes)
      if (!node.page.empty())
        course.pages.push_back(node.page);
    course.layout = input.layout;
    WriteScormPackage(course, staged, *zip);
  }
  zip->Finish();
  return zip;
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
  // The question names the missing documents: the first ten, and how many more.
  std::vector<std::string> missing;
  for (const std::string& path : documents) {
    std::error_code error;
    if (!std::filesystem::exists(FsPath(path), error))
      missing.push_back(path);
  }
  if (!missing.empty()) {
    std::string question =
        T("Деякі документи зі структури не існують, бажаєте продовжити ?") + "\r\n";
    for (size_t i = 0; i < missing.size() && i < 10; ++i)
      question += "\r\n" + missing[i];
    if (missing.size() > 10)
      question += T("\r\n… та ще ") + std::to_string(missing.size() - 10);
    if (!prompts.AskYesNo(question))
      return false;
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

ConvertOutcome
ConvertCourse(GenerationInput input, Prompts& prompts, WordProcessor& word, ProgressSink& progress,
              const std::function<bool()>& wordRunning,
              const std::function<void(const std::filesystem::path&)>& openTextbook) {
  WordPageOptions options;
  options.factory = BorrowWordProcessor(word);
  options.jobs = 1;
  return ConvertCourse(std::move(input), prompts, options, progress, wordRunning, openTextbook);
}

ConvertOutcome
ConvertCourse(GenerationInput input, Prompts& prompts, const WordPageOptions& word,
              ProgressSink& progress, const std::function<bool()>& wordRunning,
              const std::function<void(const std::filesystem::path&)>& openTextbook) {
  if (!CheckCourseForConversion(input.outline, prompts, wordRunning))
    return ConvertOutcome::Refused;
  const auto chosen = prompts.ChooseFolder(T("Виберіть папку для збереження"));
  if (!chosen || chosen->empty())
    return ConvertOutcome::Cancelled;
  input.outputFolder = *chosen;

  progress.SetMaximum(0);
  progress.SetPosition(0);
  progress.Show();
  // The textbook is written beside the chosen folder and put in place only when complete;
  // whatever fails, the chosen folder stays as it was.
  std::unique_ptr<StagedTextbook> staged;
  std::unique_ptr<ZipWriter> package;
  GenerationResult result;
  try {
    staged = std::make_unique<StagedTextbook>(input.outputFolder);
    TextbookFolder folder(staged->path());
    folder.Prepare();
    std::vector<BookNode> nodes;
    const bool packaged = input.package != TextbookPackage::None;
    result = GenerateTextbook(input, folder, word, progress, packaged ? &nodes : nullptr);
    if (result == GenerationResult::Done) {
      // Every way packaging can fail comes before the textbook's folder is touched.
      if (packaged) {
        package = MakePackage(input, nodes, staged->path());
        package->Commit();
      }
      staged->Commit(folder.copies());
    }
  } catch (const std::exception& failure) {
    std::string cause = ErrorTextOf(failure);
    if (staged) // the teacher knows the chosen folder, not the staging folder beside it
      cause = ReplaceAll(cause, PathForMessage(staged->path()), PathForMessage(staged->target()));
    package.reset();
    staged.reset();
    progress.Close();
    prompts.Warning(T("Помилка при конвертуванні !") + "\n" + cause);
    return ConvertOutcome::Failed;
  }
  staged.reset();
  if (result == GenerationResult::WordProcessorMissing) {
    progress.Close();
    prompts.Warning(T("Для коректної роботи програми, необхідно встановити LibreOffice Writer !"));
    return ConvertOutcome::WordProcessorMissing;
  }
  progress.Close();
  std::string done = T("Конвертування успішно завершено !");
  if (package)
    done += "\n" + T("Пакет: ") + PathForMessage(package->target());
  if (!openTextbook)
    prompts.Information(done);
  else if (prompts.InformationWithOffer(done, T("Відкрити посібник")))
    openTextbook(input.outputFolder / "index.html");
  return ConvertOutcome::Done;
}

} // namespace quarbel
