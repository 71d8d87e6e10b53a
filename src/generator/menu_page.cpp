#include "generator/menu_page.h"

#include "generator/html_text.h"
#include "structure/node_text.h"
#include "text/cp1251.h"
#include "text/replace_all.h"

namespace quarbel {
namespace {

const std::string kRowStart = "<table><tr><td valign=\"top\" width=\"18\" height=\"18\">";
const std::string kLeafButton = "<div></div></td>";
const std::string kContentStart = "<td valign=\"top\"><p>";
const std::string kRowEnd = "</td></tr></table>";
const std::string kLevelClose = "</div></td></tr></table>";

std::string ToggleButton(int n, const std::string& plusExtension) {
  const std::string id = std::to_string(n);
  return "<div id=\"subBtn" + id + "\" onClick=\"shiftSubDiv(" + id +
         ")\" style=\"background:url(img/plus" + plusExtension +
         ") no-repeat center;height:18px;width:18px\"></div></td>";
}

std::string SubListStart(int n) {
  return "<div id=\"subDiv" + std::to_string(n) + "\" style=\"display:none\">";
}

std::string Filler(int n) {
  return "<table><tr><td valign=\"top\" width=\"18\" height=\"0\"><div></div></td><td "
         "valign=\"top\"><p>"
         "<div id=\"subDiv" +
         std::to_string(n) + "\">";
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += text;
  return out;
}

// The decimal number at `pos`, or nothing when no digit stands there.
std::optional<int> NumberAt(const std::string& text, size_t pos) {
  int value = 0;
  size_t end = pos;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9' && end - pos < 6)
    value = value * 10 + (text[end++] - '0');
  if (end == pos)
    return std::nullopt;
  return value;
}

} // namespace

std::optional<std::string> TakeTableOfContents(std::string& page) {
  const size_t toc = page.find("<p class=MsoToc");
  if (toc == std::string::npos)
    return std::nullopt;
  const size_t normal = page.find("<p class=MsoNormal");
  if (normal == std::string::npos || normal < toc)
    return std::string();
  std::string block = page.substr(toc, normal - toc);
  page.erase(toc, normal - toc);
  return block;
}

std::string MenuTitle(const std::string& text) {
  if (!IsDocumentText(text))
    return text;
  const size_t at = text.find(" [");
  return at == std::string::npos ? std::string() : text.substr(0, at);
}

Lines MenuBody(std::string collected, const std::string& plusExtension) {
  const std::string kEntry = "<p class=MsoToc";
  Lines body;
  int base = 0;
  int n = 1;
  bool first = true;
  std::string previous;
  int previousLevel = 0;
  int level = 0;
  size_t pos = 0;
  for (size_t start = collected.find(kEntry, pos); start != std::string::npos;
       start = collected.find(kEntry, pos)) {
    const size_t close = collected.find("</p>", start);
    const size_t end = close == std::string::npos ? collected.size() : close + 4;
    std::string paragraph = collected.substr(start, end - start);
    pos = end;
    // The title of a Word table of contents ("Зміст") names what the menu already shows.
    if (paragraph.compare(kEntry.size(), 7, "Heading") == 0)
      continue;

    const size_t after = kEntry.size();
    if (after < paragraph.size() && paragraph[after] == 'X') {
      level = NumberAt(paragraph, after + 1).value_or(1);
      base = level;
    } else {
      // An entry of a Word table of contents hangs under its document; a class that names
      // no level counts as the first level.
      level = base + NumberAt(paragraph, after).value_or(1);
    }

    const size_t link = paragraph.find("class=MsoHyperlink");
    if (link != std::string::npos) {
      const size_t back = (link > 0 && paragraph[link - 1] == ' ') ? 6 : 7;
      paragraph.erase(0, link >= back ? link - back : 0);
    }

    if (!first) {
      if (level > previousLevel) {
        body.push_back(kRowStart + ToggleButton(n, plusExtension) + kContentStart + previous +
                       SubListStart(n) + Repeat(Filler(n), level - previousLevel - 1));
        ++n;
      } else if (level == previousLevel) {
        body.push_back(kRowStart + kLeafButton + kContentStart + previous + kRowEnd);
      } else {
        body.push_back(kRowStart + kLeafButton + kContentStart + previous + kRowEnd +
                       Repeat(kLevelClose, previousLevel - level));
      }
    }
    first = false;
    previous = std::move(paragraph);
    previousLevel = level;
  }
  if (!first) {
    body.push_back(kRowStart + kLeafButton + kContentStart + previous + kRowEnd);
    body.push_back(Repeat(kLevelClose, previousLevel));
  }
  return body;
}

void WriteMenuPage(const Outline& outline, const TextbookFolder& folder,
                   const MenuOptions& options) {
  std::string collected;
  int page = 0;
  for (const OutlineNode& node : outline) {
    const std::string level = std::to_string(NodeLevel(node));
    // The title as typed, with its inline formatting; the table of contents lifted from a
    // Word page below is the word processor's own markup and goes in as it is.
    const std::string title = TypedTextAsHtml(MenuTitle(node.text));
    if (!IsDocumentText(node.text)) {
      collected +=
          "<p class=MsoTocX" + level + "><span class=MsoHyperlink>" + title + "</span></p>\r\n";
      continue;
    }
    ++page;
    const std::string pageName = "page" + std::to_string(page) + ".html";
    std::string group = "<p class=MsoTocX" + level +
                        "><span class=MsoHyperlink><a target=\"mainFrame\" href=\"" + pageName +
                        "\">" + title + "</a></span></p>";
    std::string text = folder.ReadText(pageName, options.encoding);
    if (const std::optional<std::string> block = TakeTableOfContents(text)) {
      folder.WriteText(pageName, text, options.encoding);
      group += "\r\n" + ReplaceAll(*block, "href=\"", "target=\"mainFrame\" href=\"" + pageName);
    }
    collected += group + "\r\n";
  }

  Lines lines = {
      "<Html>",
      "<Title>Main Menu</Title>",
      "<head>",
      CharsetLine(options.encoding),
      "<link type=\"text/css\" rel=\"StyleSheet\" href=\"qcstyle.css\" />",
      "<link type=\"text/css\" rel=\"StyleSheet\" href=\"" + options.styleSheet + "\"/>",
      "<script type=\"text/javascript\">",
      "function shiftSubDiv(n)",
      "{",
      "var el = document.getElementById('subDiv'+n);",
      "var elb = document.getElementById('subBtn'+n);",
      "if ( el.style.display == 'none' )",
      "{",
      "el.style.display = 'block';",
      "elb.style.background = 'url(img/minus" + options.minusExtension + ") no-repeat center';",
      "}",
      "else",
      "if ( el.style.display == 'block' )",
      "{",
      "el.style.display = 'none';",
      "elb.style.background = 'url(img/plus" + options.plusExtension + ") no-repeat center';",
      "}",
      "};",
      "</script>",
      "</head>",
      "<body>"};
  if (options.titlePage) {
    lines.push_back("<P Align=Center>");
    lines.push_back("<A Target=\"mainFrame\" Href=\"title.html\"><IMG SRC=\"img/home" +
                    options.homeExtension + "\"></A><BR></P>");
  }
  for (std::string& line : MenuBody(std::move(collected), options.plusExtension))
    lines.push_back(std::move(line));
  if (options.authorPage)
    lines.push_back(Cp1251FromUtf8(
        "<A Target=\"mainFrame\" Href=\"about.html\">Інформація про автора</A><BR>"));
  lines.push_back("</body>");
  lines.push_back("</Html>");
  folder.WriteText("menu.html", JoinLines(lines), options.encoding);

  Lines style = {"body, td {font-family:Verdana,Tahoma;font-size:13px;} "};
  for (int i = 0; i <= 7; ++i)
    style.push_back(".MsoToc" + std::to_string(i) + " {margin:4px;text-decoration:none;}");
  folder.WriteText("qcstyle.css", JoinLines(style), options.encoding);
}

} // namespace quarbel
