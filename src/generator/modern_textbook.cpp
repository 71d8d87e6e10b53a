#include "generator/modern_textbook.h"

#include "generator/html_plain_text.h"
#include "generator/html_text.h"
#include "generator/menu_page.h"
#include "generator/modern_menu.h"
#include "generator/modern_pages.h"
#include "generator/search_script.h"
#include "generator/title_page.h"
#include "generator/wrapper_pages.h"
#include "resources/embedded_files.h"
#include "structure/node_text.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/paths.h"
#include "text/safe_file_name.h"
#include "text/text_case.h"

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

// Plain text of typed or page markup, Windows-1251 in, UTF-8 out.
std::string PlainUtf8(const std::string& html1251) {
  return PlainTextOfHtml(Utf8FromCp1251(html1251));
}

std::string PageName(int page) {
  return "page" + std::to_string(page) + ".html";
}

} // namespace

std::string ModernCourseTitle(const GenerationInput& input) {
  const std::string discipline =
      Cp1251FromUtf8Lossy(PlainUtf8(TypedTextAsHtml(input.title.texts[Discipline])));
  return discipline.empty() ? T("Електронний посібник") : discipline;
}

void WriteModernTextbook(const GenerationInput& input, TextbookFolder& folder,
                         const std::string& styleSafeName, int pages) {
  ModernLook look;
  look.encoding = input.encoding;
  look.courseTitle = ModernCourseTitle(input);
  // The stock style sheet is made for the classic frames; the modern look has its own.
  const bool stockStyle =
      input.styleFile.empty() || LowerCaseText(FileNameOf(input.styleFile)) == "default.css";
  if (!stockStyle)
    look.styleSheet = styleSafeName;
  look.menuColour = input.menuColour;
  look.pageColour = input.pageColour;
  look.ruleColour = input.ruleColour;

  std::vector<ModernPage> written;
  std::vector<std::pair<int, MenuEntry>> menu;
  std::vector<SearchRecord> search;
  if (input.titlePage)
    menu.push_back({0, {"Титульна сторінка", "index.html", {}}});

  int page = 0;
  for (const OutlineNode& node : input.outline) {
    const int level = node.depth;
    const std::string title = Cp1251FromUtf8Lossy(PlainUtf8(TypedTextAsHtml(MenuTitle(node.text))));
    if (!IsDocumentText(node.text)) {
      menu.push_back({level, {Utf8FromCp1251(title), "", {}}});
      continue;
    }
    ++page;
    ModernPage modern;
    modern.name = PageName(page);
    modern.title = title;
    // Pages the walk did not write end the textbook here, as the classic menu does.
    std::string text = folder.ReadText(modern.name, input.encoding);
    const std::string path = PathFromNodeText(node.text);
    const PageKind kind = PageKindOf(path);
    MenuEntry entry{Utf8FromCp1251(title), modern.name, {}};
    if (kind == PageKind::Word) {
      std::vector<std::pair<int, MenuEntry>> contents;
      if (const std::optional<std::string> block = TakeTableOfContents(text))
        for (const ContentsEntry& item : ContentsEntriesOf(*block))
          contents.push_back({item.level, {item.title, modern.name + "#" + item.anchor, {}}});
      AddNested(entry.children, contents);
      WordPageParts parts = SplitWordPage(text);
      modern.head = std::move(parts.style);
      modern.body = std::move(parts.body);
    } else {
      modern.body = ModernDocumentBody(kind, path, MakeSafeFileName(path));
    }
    menu.push_back({level, std::move(entry)});
    search.push_back({modern.name, Utf8FromCp1251(title), PlainUtf8(modern.body)});
    written.push_back(std::move(modern));
  }
  if (input.authorPage)
    menu.push_back({0, {"Інформація про автора", "author.html", {}}});

  for (size_t i = 0; i < written.size(); ++i) {
    ModernPage& modern = written[i];
    if (i > 0)
      modern.previous = written[i - 1].name;
    else if (input.titlePage)
      modern.previous = "index.html";
    if (i + 1 < written.size())
      modern.next = written[i + 1].name;
    folder.WriteText(modern.name, ModernShell(modern, look), input.encoding);
  }

  if (input.titlePage) {
    std::string logo;
    if (const RecordPicture* picture = ChosenPicture(input.title)) {
      logo = "img/logo" + picture->extension;
      folder.WriteBytes(logo, picture->bytes);
    }
    ModernPage index{"index.html", look.courseTitle,
                     "",           ModernTitleBody(input.title, logo),
                     "",           written.empty() ? "" : written.front().name};
    folder.WriteText(index.name, ModernShell(index, look), input.encoding);
    search.insert(search.begin(), {index.name, "Титульна сторінка", PlainUtf8(index.body)});
  } else {
    // Without a title page the textbook opens on its first page.
    const std::string first = written.empty() ? "index.html" : written.front().name;
    Lines lines = {"<!DOCTYPE html>",
                   "<html lang=\"uk\">",
                   "<head>",
                   std::string("<meta charset=\"") + OutputEncodingCharset(input.encoding) + "\">",
                   "<meta http-equiv=\"refresh\" content=\"0; url=" + first + "\">",
                   "<title>" + HtmlEscaped(look.courseTitle) + "</title>",
                   "</head>",
                   "<body>",
                   "<p><a href=\"" + first + "\">" + HtmlEscaped(look.courseTitle) + "</a></p>",
                   "</body>",
                   "</html>"};
    folder.WriteText("index.html", JoinLines(lines), input.encoding);
  }
  if (input.authorPage) {
    std::string photo;
    if (const RecordPicture* picture = ChosenPicture(input.author)) {
      photo = "img/photo" + picture->extension;
      folder.WriteBytes(photo, picture->bytes);
    }
    ModernPage author{"author.html",
                      T("Інформація про автора"),
                      "",
                      ModernAuthorBody(input.author, photo),
                      "",
                      ""};
    folder.WriteText(author.name, ModernShell(author, look), input.encoding);
    search.push_back({author.name, Utf8FromCp1251(author.title), PlainUtf8(author.body)});
  }

  std::vector<MenuEntry> entries;
  AddNested(entries, menu);
  folder.CreateFolder("assets");
  folder.WriteBytes("assets/menu.js", MenuScript(Utf8FromCp1251(look.courseTitle), entries));
  folder.WriteBytes("assets/search.js", SearchScript(search));
  for (const char* asset : {"quarbel.css", "quarbel.js", "lunr.js"})
    folder.WriteBytes(std::string("assets/") + asset, EmbeddedFile(asset));
}

} // namespace quarbel
