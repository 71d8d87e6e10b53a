#include "generator/generate_textbook.h"

#include "generator/menu_page.h"
#include "generator/modern_textbook.h"
#include "generator/navigation.h"
#include "generator/page_pictures.h"
#include "generator/style_sheets.h"
#include "generator/title_page.h"
#include "generator/word_page.h"
#include "generator/wrapper_pages.h"
#include "pictures/builtin_icons.h"
#include "resources/embedded_files.h"
#include "structure/node_text.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/file_bytes.h"
#include "text/paths.h"
#include "text/safe_file_name.h"
#include "text/text_case.h"
#include "wordproc/word_processor.h"

namespace quarbel {
namespace {

struct IconFile {
  const char* name;
  BuiltInIcon builtIn;
};
constexpr IconFile kIconFiles[kIconCount] = {{"home", BuiltInIcon::Home},
                                             {"previous", BuiltInIcon::Previous},
                                             {"forward", BuiltInIcon::Forward},
                                             {"minus", BuiltInIcon::Minus},
                                             {"plus", BuiltInIcon::Plus}};

// The extension an icon is written with: its file's, or ".gif" for the built-in picture.
std::string IconExtension(const IconPicture& icon) {
  return icon.bytes.empty() || icon.extension.empty() ? ".gif" : icon.extension;
}

void WriteTheRest(const GenerationInput& input, TextbookFolder& folder,
                  const std::string& styleName, int pages);

// "Документ "…" не вдалося перетворити на сторінку:" and the cause on the next line.
std::string DocumentFailure(const std::string& path, const std::string& cause) {
  if (cause.find(path) != std::string::npos)
    return cause; // the cause names the document already
  return Cp1251FromUtf8("Документ \"") + path +
         Cp1251FromUtf8("\" не вдалося перетворити на сторінку:\n") + cause;
}

class Walk {
public:
  Walk(const GenerationInput& input, TextbookFolder& folder, WordPages& pages,
       ProgressSink& progress)
      : input_(input), folder_(folder), pages_(pages), progress_(progress) {
    if (!input.styleFile.empty())
      styleSafeName_ = MakeSafeFileName(input.styleFile);
  }

  // Gives the document its page; false when the word processor turned out to be missing.
  // What ends the walk at a document is kept for the teacher (documentError).
  bool Page(const std::string& nodeText, int page) {
    const std::string path = PathFromNodeText(nodeText);
    try {
      return MakePage(path, page);
    } catch (const Error& error) {
      documentError_ = DocumentFailure(path, error.text());
      throw;
    } catch (const std::filesystem::filesystem_error& error) {
      documentError_ = DocumentFailure(path, SystemErrorText(error.code().value()));
      throw;
    } catch (const std::exception&) {
      documentError_ = DocumentFailure(path, Cp1251FromUtf8("невідома помилка"));
      throw;
    }
  }

  bool MakePage(const std::string& path, int page) {
    const PageKind kind = PageKindOf(path);
    const std::string pageName = "page" + std::to_string(page) + ".html";
    Lines lines;
    if (kind == PageKind::Word) {
      WordPages::Outcome outcome = pages_.Take(wordPages_++, [this] { progress_.ProcessEvents(); });
      if (outcome.state == WordPages::Outcome::State::Missing)
        return false;
      if (outcome.state == WordPages::Outcome::State::Failed)
        std::rethrow_exception(outcome.failure);
      const std::string stem = "page" + std::to_string(page);
      const ConvertedPage written = RenamedForPage(std::move(outcome.page), stem);
      for (const auto& [name, bytes] : written.files)
        folder_.WriteBytes(name, bytes);
      // The word processor writes Windows-1251.
      CheckPagePictures(folder_, written.html);
      lines = SplitLines(written.html);
      CleanUpWordPage(lines, page, input_.encoding, !styleSafeName_.empty());
    } else {
      folder_.CreateFolder("other");
      lines = WrapperPage(kind, path, page);
    }
    FinishPage(lines, styleSafeName_, input_.pageColour);
    folder_.WriteText(pageName, JoinLines(lines), input_.encoding);
    return true;
  }

  void Quit() { pages_.Stop(); }

  const std::string& styleSafeName() const { return styleSafeName_; }
  // What ended the walk at a document, for the teacher; empty when nothing did.
  const std::string& documentError() const { return documentError_; }

private:
  Lines WrapperPage(PageKind kind, const std::string& path, int page) {
    const std::string safe = MakeSafeFileName(path);
    if (kind == PageKind::Unlisted)
      return UnlistedPage(page, path);
    // The modern look plays videos itself.
    if (kind == PageKind::Video && !playerWritten_ && input_.layout == TextbookLayout::Classic) {
      playerWritten_ = true;
      folder_.WriteBytes("mediaplayer.swf", EmbeddedFile("mediaplayer.swf"));
      folder_.WriteBytes("swfobject.js", EmbeddedFile("swfobject.js"));
    }
    folder_.CopyIfAbsent(FsPath(path), "other/" + safe);
    switch (kind) {
    case PageKind::Video: return VideoPage(page, safe);
    case PageKind::Image: return ImagePage(page, safe);
    default:
      folder_.CopyIfAbsent(input_.programFolder / "Icons" / "Software" / TypeIconSource(kind),
                           "img/" + TypeIconTarget(kind));
      return IconPage(page, safe, kind);
    }
  }

  const GenerationInput& input_;
  TextbookFolder& folder_;
  WordPages& pages_;
  ProgressSink& progress_;
  std::string styleSafeName_;
  size_t wordPages_ = 0; // Word pages taken so far
  bool playerWritten_ = false;
  std::string documentError_;
};

// A word processor that passes every call to one of the caller's.
class BorrowedWordProcessor final : public WordProcessor {
public:
  explicit BorrowedWordProcessor(WordProcessor& word) : word_(word) {}
  bool start() override { return word_.start(); }
  void open(const std::filesystem::path& document) override { word_.open(document); }
  void saveAsWebPage(const std::filesystem::path& page) override { word_.saveAsWebPage(page); }
  void close() override { word_.close(); }
  void quit() override { word_.quit(); }
  void abort() override { word_.abort(); }

private:
  WordProcessor& word_;
};

} // namespace

std::vector<std::filesystem::path> WordDocumentsOf(const Outline& outline) {
  std::vector<std::filesystem::path> documents;
  for (const OutlineNode& node : outline) {
    if (!IsDocumentText(node.text))
      continue;
    const std::string path = PathFromNodeText(node.text);
    if (PageKindOf(path) == PageKind::Word)
      documents.push_back(FsPath(path));
  }
  return documents;
}

std::function<std::unique_ptr<WordProcessor>()> BorrowWordProcessor(WordProcessor& word) {
  return [&word] { return std::make_unique<BorrowedWordProcessor>(word); };
}

GenerationResult GenerateTextbook(const GenerationInput& input, TextbookFolder& folder,
                                  WordProcessor& word, ProgressSink& progress) {
  WordPageOptions options;
  options.factory = BorrowWordProcessor(word);
  options.jobs = 1;
  options.scratch = folder.path().string() + "-scratch";
  return GenerateTextbook(input, folder, options, progress);
}

GenerationResult GenerateTextbook(const GenerationInput& input, TextbookFolder& folder,
                                  const WordPageOptions& word, ProgressSink& progress,
                                  std::vector<BookNode>* book) {
  WordPageOptions options = word;
  if (options.scratch.empty())
    options.scratch = folder.path().string() + "-scratch";
  WordPages wordPages(options, WordDocumentsOf(input.outline),
                      input.outputFolder.empty() ? folder.path() : input.outputFolder);
  Walk walk(input, folder, wordPages, progress);
  if (!input.styleFile.empty())
    folder.CopyIfAbsent(FsPath(input.styleFile), walk.styleSafeName());

  progress.SetMaximum(static_cast<int>(input.outline.size()));
  int position = 1;
  progress.SetPosition(position);
  int pages = 0;
  try {
    for (const OutlineNode& node : input.outline) {
      progress.ProcessEvents();
      if (IsDocumentText(node.text)) {
        if (!walk.Page(node.text, pages + 1)) {
          walk.Quit();
          return GenerationResult::WordProcessorMissing;
        }
        ++pages;
      }
      progress.SetPosition(++position);
    }
  } catch (const std::exception&) {
    // A document that could not be made into a page ends the walk; the pages written so
    // far stay, and the menu below fails on the first one missing.
  }
  walk.Quit();
  if (options.cache)
    options.cache->Trim();
  try {
    if (book)
      *book = CollectBookNodes(input, folder, input.package == TextbookPackage::Epub);
    if (input.layout == TextbookLayout::Modern)
      WriteModernTextbook(input, folder, walk.styleSafeName(), pages);
    else
      WriteTheRest(input, folder, walk.styleSafeName(), pages);
  } catch (const std::exception&) {
    // The document that ended the walk is the cause the teacher needs to hear of.
    if (!walk.documentError().empty())
      throw Error(walk.documentError());
    throw;
  }
  progress.SetPosition(++position);
  return GenerationResult::Done;
}

namespace {

void WriteTheRest(const GenerationInput& input, TextbookFolder& folder,
                  const std::string& styleName, int pages) {
  std::array<std::string, kIconCount> extensions;
  for (int i = 0; i < kIconCount; ++i)
    extensions[i] = IconExtension(input.icons[i]);

  if (pages != 1 && input.navigation)
    AddPageNavigation(folder, pages, input.encoding, extensions[PreviousIcon],
                      extensions[ForwardIcon]);

  const bool stockStyle =
      !input.styleFile.empty() && LowerCaseText(FileNameOf(input.styleFile)) == "default.css";
  MenuOptions menu;
  menu.encoding = input.encoding;
  menu.styleSheet = input.styleFile.empty() || stockStyle ? "menu.css" : styleName;
  menu.titlePage = input.titlePage;
  menu.authorPage = input.authorPage;
  menu.homeExtension = extensions[HomeIcon];
  menu.minusExtension = extensions[MinusIcon];
  menu.plusExtension = extensions[PlusIcon];
  WriteMenuPage(input.outline, folder, menu);

  if (input.styleFile.empty())
    WriteMenuStyleSheet(folder, input.menuColour, input.encoding);
  else if (stockStyle)
    WriteStockMenuStyleSheet(folder, input.encoding);

  PageStyle style{input.encoding, styleName, input.pageColour, input.ruleColour};
  if (input.titlePage)
    WriteTitlePage(folder, input.title, style);
  else
    WriteIndexPage(folder, input.title.texts[Discipline], false, input.encoding);
  if (input.authorPage)
    WriteAuthorPage(folder, input.author, style);

  for (int i = 0; i < kIconCount; ++i) {
    const IconPicture& icon = input.icons[i];
    folder.WriteBytes(std::string("img/") + kIconFiles[i].name + extensions[i],
                      icon.bytes.empty() ? BuiltInIconGif(kIconFiles[i].builtIn) : icon.bytes);
  }
}

} // namespace

} // namespace quarbel
