#include "generator/title_page.h"

#include "generator/html_text.h"
#include "text/cp1251.h"

#include <array>

namespace quarbel {
namespace {

std::string T(const char* utf8) {
  return Cp1251FromUtf8(utf8);
}

const char* const kMenuFrameMarker = "5E0B9D27C4A1F6830D7E2B9C41A5F06E";
const char* const kEmptyCentredParagraph =
    "<P Class = MsoNormal Style = 'Text-Align:Center'>&nbsp;</P>";

// The texts of a record as page markup.
decltype(RecordValue::texts) TextsAsHtml(const RecordValue& record) {
  decltype(RecordValue::texts) texts;
  for (size_t i = 0; i < texts.size(); ++i)
    texts[i] = TypedTextAsHtml(record.texts[i]);
  return texts;
}

} // namespace

const RecordPicture* ChosenPicture(const RecordValue& record) {
  return record.checked && record.picture && !record.picture->bytes.empty() ? &*record.picture
                                                                            : nullptr;
}

void WriteIndexPage(const TextbookFolder& folder, const std::string& discipline, bool titlePage,
                    OutputEncoding encoding) {
  const Lines lines = {
      "<HTML>",
      discipline.empty() ? T("<Title>Електронний посібник</Title>")
                         : T("<Title>Електронний посібник з дисципліни: ") +
                               TypedTextAsHtml(discipline) + "</Title>",
      CharsetLine(encoding),
      "<FRAMESET COLS=\"300, *\">",
      std::string("<FRAME Src=\"menu.html\" NAME=\"leftFrame\" Alt=\"") + kMenuFrameMarker + "\">",
      titlePage ? "<FRAME Src=\"title.html\" NAME=\"mainFrame\">"
                : "<FRAME Src=\"page1.html\" NAME=\"mainFrame\">",
      "</FRAMESET> ",
      "<NOFRAMES>",
      "</NOFRAMES>",
      "</HTML>",
  };
  folder.WriteText("index.html", JoinLines(lines), encoding);
}

void WriteTitlePage(const TextbookFolder& folder, const RecordValue& title,
                    const PageStyle& style) {
  WriteIndexPage(folder, title.texts[Discipline], true, style.encoding);
  const auto t = TextsAsHtml(title);

  const bool styled = !style.styleSafeName.empty();
  Lines lines = {
      "<HTML>",
      T("<Title>Титульна сторінка</Title>"),
      CharsetLine(style.encoding),
      styled ? "<link type=\"text/css\" rel=\"StyleSheet\" href=\"" + style.styleSafeName + "\"/>"
             : "<body BGColor = " + HtmlColour(style.pageColour) + " Text=\"Black\">",
      "<Table Border = \"0\" Width = \"100%\" Align = \"Center\">",
      "<Tr>",
  };
  if (const RecordPicture* logo = ChosenPicture(title)) {
    folder.WriteBytes("img/logo" + logo->extension, logo->bytes);
    lines.push_back("<Td Width = \"16%\">");
    lines.push_back("<P Align = \"Center\"><Img Src=\"img/logo" + logo->extension +
                    "\" Border = \"0\"></P></Td>");
  }
  const std::string centredH3 =
      "<H3 Class = MsoNormal Style = 'Text-Align:Center'><Font Face = \"Arial\">";
  const std::string indented =
      "Style = \"Text-Align:Center; Text-Indent:0PT; Margin-Right:0PT; Margin-Left:0;\"";
  lines.insert(
      lines.end(),
      {
          "<Td Width = \"74%\"><H2 Align = \"Center\" Class = MsoNormal Style = "
          "'Text-Align:Center'><Font Face = \"Arial\">" +
              t[University] + "</Font></H2>",
          centredH3 + T("Факультет ") + t[Faculty] + "</Font></H3>",
          centredH3 + T("Кафедра ") + t[Department] + "</Font></H3></Td>",
          "<Td Width = \"10%\"></Td>",
          "</Tr>",
          "</Table>",
          styled ? "<HR Color = \"#C8C8C8\">"
                 : "<HR Color = \"" + HtmlColour(style.ruleColour) + "\">",
          "<P Class = MsoBodyTextIndent2 Style = "
          "'Margin-Right:-2.0PT;Text-Align:Center;Text-Indent:-29.45PT'>",
          "<B Style = 'Mso-Bidi-Font-Weight:Normal'><Span Lang = UK Style = "
          "'Font-Size:12.0PT;Font-Family:Arial'></Span></B></P>",
          kEmptyCentredParagraph,
          kEmptyCentredParagraph,
          kEmptyCentredParagraph,
          "<H3 Class = MsoBodyTextIndent2 " + indented + T(">") +
              T("<Font Face = \"Arial\">Електронний посібник з <Span Style = "
                "\"Font-Family:Arial;\">дисципліни:</Span></Font>"
                "<Font Face = \"Arial\"><Span Style = \"Font-Size:14PT;\"></Span></Font></H3>"),
          "<H2 Class = MsoBodyTextIndent2 " + indented +
              "><B><Font Face = \"Arial\"><Span Style = \"Font-Family:Arial;\">" + t[Discipline] +
              "</Span></Font></B><Font Face = \"Arial\"><Span Style = "
              "\"Font-Size:14PT;\"></Span></Font></H2>",
      });
  if (!t[Topic].empty())
    lines.push_back("<H3 Class = MsoBodyTextIndent2 " + indented +
                    T("><Font Face = \"Arial\"><Span Style = \"Font-Family:Arial;\">Тема: ") +
                    t[Topic] +
                    "</Span></Font><Font Face = \"Arial\"><Span Style = "
                    "\"Font-Size:14PT;\"></Span></Font></H3>");
  lines.insert(lines.end(),
               {kEmptyCentredParagraph, kEmptyCentredParagraph, kEmptyCentredParagraph});
  lines.push_back("<H3 Class = MsoBodyText2 Style = 'Margin-Bottom:0CM;Margin-Bottom:.0001PT;"
                  "Text-Align:Center;Line-Height:Normal'><B><Span Lang = UK Style = "
                  "'Font-Family:Arial;Mso-Ansi-Language:UK'>" +
                  t[CityAndDate] + "</Span></B></H3></body></Html>");
  folder.WriteText("title.html", JoinLines(lines), style.encoding);
}

void WriteAuthorPage(const TextbookFolder& folder, const RecordValue& author,
                     const PageStyle& style) {
  const auto t = TextsAsHtml(author);
  const std::string margin = "<Div Style=\"Margin-Top:50PX\"></Div>";
  Lines lines = {
      "<HTML>",
      T("<Title>Інформація про автора</Title>"),
      CharsetLine(style.encoding),
      "<body>",
      style.styleSafeName.empty()
          ? "<body BGColor = " + HtmlColour(style.pageColour) + ">"
          : "<link type=\"text/css\" rel=\"StyleSheet\" href=\"" + style.styleSafeName + "\"/>",
      "<Font Face=\"Arial\">",
      "<P Align=Center>",
      T("<Font Size=3><B>Інформація про автора:</B>"),
      margin,
  };
  if (const RecordPicture* photo = ChosenPicture(author)) {
    folder.WriteBytes("img/photo" + photo->extension, photo->bytes);
    lines.insert(lines.end(),
                 {"<P Align=Center>", "<IMG SRC=\"img/photo" + photo->extension + "\">", margin});
  }
  lines.insert(
      lines.end(),
      {"<P Align=Center>", "<Font Size=3><B>" + t[Regalia] + "</B>", "<P Align=Center>",
       "<Font Size=3><B>" + t[Surname] + " " + t[FirstName] + " " + t[Patronymic] + "</B>"});
  if (!t[Contacts].empty()) {
    lines.insert(lines.end(),
                 {margin, "<P Align=Center>", T("<Font Size=3><B>Контактна інформація:</B>")});
    for (const std::string& contact : SplitLines(t[Contacts])) {
      if (!contact.empty())
        lines.insert(lines.end(), {"<P Align=Center>", "<Font Size=3><B>" + contact + "</B>"});
    }
  }
  if (!t[Supplementary].empty()) {
    lines.insert(lines.end(), {margin, "<P Align=Center>",
                               T("<Font Size=3><B>Додаткові відомості:</B>"), "<P Align=Justify>"});
    // The text keeps its own line breaks.
    for (const std::string& line : SplitLines("<Font Size=3>" + t[Supplementary]))
      lines.push_back(line);
  }
  lines.insert(lines.end(), {"</Font>", "</body>", "</HTML>"});
  folder.WriteText("about.html", JoinLines(lines), style.encoding);
}

} // namespace quarbel
