#include "generator/modern_pages.h"

#include "generator/html_text.h"
#include "generator/textbook_text.h"
#include "text/cp1251.h"
#include "text/paths.h"
#include "text/text_case.h"

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

std::string ColourStyle(const ModernLook& look) {
  return "<style>:root{--quarbel-menu:" + HtmlColour(look.menuColour) +
         ";--quarbel-page:" + HtmlColour(look.pageColour) +
         ";--quarbel-rule:" + HtmlColour(look.ruleColour) + "}</style>";
}

std::string Link(const std::string& rel, const std::string& href, const std::string& text) {
  return "<a rel=\"" + rel + "\" href=\"" + QuotedAttributeText(href) + "\">" + text + "</a>";
}

} // namespace

std::string ModernShell(const ModernPage& page, const ModernLook& look) {
  const bool ownLook = look.styleSheet.empty();
  Lines lines = {
      "<!DOCTYPE html>",
      "<html lang=\"uk\">",
      "<head>",
      std::string("<meta charset=\"") + OutputEncodingCharset(look.encoding) + "\">",
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
      "<title>" + HtmlEscaped(page.title) +
          (page.title == look.courseTitle ? "" : T(" — ") + HtmlEscaped(look.courseTitle)) +
          "</title>",
      "<link rel=\"stylesheet\" href=\"assets/quarbel.css\">",
  };
  if (ownLook)
    lines.push_back(ColourStyle(look));
  else
    lines.push_back("<link rel=\"stylesheet\" href=\"" + QuotedAttributeText(look.styleSheet) +
                    "\">");
  if (!page.head.empty())
    lines.push_back(page.head);
  lines.push_back("</head>");
  std::string body = "<body class=\"quarbel" + std::string(ownLook ? " default-colours" : "") +
                     "\" data-page=\"" + QuotedAttributeText(page.name) + "\"";
  if (!page.previous.empty())
    body += " data-prev=\"" + QuotedAttributeText(page.previous) + "\"";
  if (!page.next.empty())
    body += " data-next=\"" + QuotedAttributeText(page.next) + "\"";
  lines.push_back(body + ">");
  lines.insert(
      lines.end(),
      {
          T("<a class=\"skip-link\" href=\"#content\">Перейти до тексту</a>"),
          "<header class=\"topbar\">",
          T("<button type=\"button\" id=\"menu-button\" aria-controls=\"menu\" "
            "aria-expanded=\"false\"><span aria-hidden=\"true\">&#9776;</span><span "
            "class=\"visually-hidden\">Зміст</span></button>"),
          "<a class=\"course-title\" href=\"index.html\">" + HtmlEscaped(look.courseTitle) + "</a>",
          T("<form role=\"search\" id=\"search-form\" onsubmit=\"return false\"><label "
            "class=\"visually-hidden\" for=\"search\">Пошук у посібнику</label><input "
            "type=\"search\" id=\"search\" placeholder=\"Пошук\" autocomplete=\"off\"></form>"),
          "</header>",
          "<div id=\"search-results\" hidden></div>",
          T("<nav id=\"menu\" aria-label=\"Зміст посібника\"></nav>"),
          "<main id=\"content\">",
          page.body,
          "</main>",
      });
  if (!page.previous.empty() || !page.next.empty()) {
    std::string pager = T("<nav class=\"pager\" aria-label=\"Гортання сторінок\">");
    if (!page.previous.empty())
      pager += Link("prev", page.previous, T("&larr; Попередня"));
    if (!page.previous.empty() && !page.next.empty())
      pager += " ";
    if (!page.next.empty())
      pager += Link("next", page.next, T("Наступна &rarr;"));
    lines.push_back(pager + "</nav>");
  }
  lines.insert(lines.end(), {"<script src=\"assets/menu.js\"></script>",
                             "<script src=\"assets/quarbel.js\"></script>", "</body>", "</html>"});
  return JoinLines(lines);
}

std::string ModernDocumentBody(PageKind kind, const std::string& documentPath,
                               const std::string& safeName) {
  const std::string name = HtmlEscaped(FileNameOf(documentPath));
  const std::string file = "other/" + QuotedAttributeText(safeName);
  switch (kind) {
  case PageKind::Image:
    return "<figure class=\"picture\"><img src=\"" + file + "\" alt=\"" + name + "\"><figcaption>" +
           name + "</figcaption></figure>";
  case PageKind::Video:
    return "<figure class=\"video\"><video controls preload=\"metadata\" src=\"" + file +
           "\"></video><figcaption><a href=\"" + file + "\">" + name + "</a></figcaption></figure>";
  case PageKind::Unlisted:
    return T("<p class=\"document\">Документ \"") + name +
           T("\" має тип, який посібник не може показати.</p>");
  default:
    return "<p class=\"document\"><a href=\"" + file + "\"><img src=\"img/" + TypeIconTarget(kind) +
           "\" alt=\"\" width=\"48\" height=\"48\"> <span>" + name + "</span></a></p>";
  }
}

std::string ModernTitleBody(const RecordValue& title, const std::string& picture) {
  const auto text = [&](int field) { return TypedTextAsHtml(title.texts[field]); };
  Lines lines = {"<div class=\"title-page\">"};
  if (!picture.empty())
    lines.push_back("<img class=\"logo\" src=\"" + QuotedAttributeText(picture) +
                    T("\" alt=\"Логотип\">"));
  lines.push_back("<p class=\"university\">" + text(University) + "</p>");
  if (!title.texts[Faculty].empty())
    lines.push_back(T("<p class=\"faculty\">Факультет ") + text(Faculty) + "</p>");
  if (!title.texts[Department].empty())
    lines.push_back(T("<p class=\"department\">Кафедра ") + text(Department) + "</p>");
  lines.push_back("<hr>");
  lines.push_back(T("<p class=\"kind\">Електронний посібник з дисципліни:</p>"));
  lines.push_back("<h1>" + text(Discipline) + "</h1>");
  if (!title.texts[Topic].empty())
    lines.push_back(T("<p class=\"topic\">Тема: ") + text(Topic) + "</p>");
  if (!title.texts[CityAndDate].empty())
    lines.push_back("<p class=\"place\">" + text(CityAndDate) + "</p>");
  lines.push_back("</div>");
  return JoinLines(lines);
}

std::string ModernAuthorBody(const RecordValue& author, const std::string& picture) {
  const auto text = [&](int field) { return TypedTextAsHtml(author.texts[field]); };
  Lines lines = {"<div class=\"author-page\">", T("<h1>Інформація про автора</h1>")};
  if (!picture.empty())
    lines.push_back("<img class=\"photo\" src=\"" + QuotedAttributeText(picture) +
                    T("\" alt=\"Фото автора\">"));
  if (!author.texts[Regalia].empty())
    lines.push_back("<p class=\"regalia\">" + text(Regalia) + "</p>");
  lines.push_back("<p class=\"name\">" + text(Surname) + " " + text(FirstName) + " " +
                  text(Patronymic) + "</p>");
  const auto block = [&](const char* heading, int field) {
    if (author.texts[field].empty())
      return;
    lines.push_back("<h2>" + T(heading) + "</h2>");
    for (const std::string& line : SplitLines(text(field)))
      if (!line.empty())
        lines.push_back("<p>" + line + "</p>");
  };
  block("Контактна інформація", Contacts);
  block("Додаткові відомості", Supplementary);
  lines.push_back("</div>");
  return JoinLines(lines);
}

WordPageParts SplitWordPage(const std::string& page) {
  const std::string lower = LowerCaseText(page);
  WordPageParts parts;
  const size_t headEnd = lower.find("</head>");
  const size_t styleStart = lower.find("<style");
  const size_t styleEnd = lower.find("</style>", styleStart == std::string::npos ? 0 : styleStart);
  if (styleStart != std::string::npos && styleEnd != std::string::npos &&
      (headEnd == std::string::npos || styleStart < headEnd))
    parts.style = page.substr(styleStart, styleEnd + 8 - styleStart);
  // The page's own body comes after its head; the line the finishing put after "<head>"
  // belongs to the classic look.
  const size_t bodyTag = lower.find("<body", headEnd == std::string::npos ? 0 : headEnd);
  const size_t bodyStart =
      bodyTag == std::string::npos ? std::string::npos : lower.find('>', bodyTag);
  const size_t bodyEnd = lower.rfind("</body>");
  if (bodyStart != std::string::npos && bodyEnd != std::string::npos && bodyEnd > bodyStart)
    parts.body = page.substr(bodyStart + 1, bodyEnd - bodyStart - 1);
  return parts;
}

} // namespace quarbel
