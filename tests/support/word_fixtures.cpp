#include "support/word_fixtures.h"

#include "support/zip_writer.h"

namespace quarbel::testing {
namespace {

const char* const kNamespaces =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\" "
    "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
    "mc:Ignorable=\"wps\"";

const char* const kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";

std::string Run(const std::string& text, const std::string& properties = "") {
  return "<w:r>" + (properties.empty() ? "" : "<w:rPr>" + properties + "</w:rPr>") +
         "<w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
}

std::string Paragraph(const std::string& runs, const std::string& properties = "") {
  return "<w:p>" + (properties.empty() ? "" : "<w:pPr>" + properties + "</w:pPr>") + runs +
         "</w:p>";
}

std::string FieldChar(const char* type) {
  return std::string("<w:r><w:fldChar w:fldCharType=\"") + type + "\"/></w:r>";
}

std::string Instruction(const std::string& text) {
  return "<w:r><w:instrText xml:space=\"preserve\">" + text + "</w:instrText></w:r>";
}

// One line of the table of contents: the hyperlink holds the title, a leader tab and a
// PAGEREF field with the page number; the first line also opens the TOC field.
std::string TocLine(const FixtureHeading& heading, int page, bool first, bool hyperlinks) {
  std::string runs;
  if (first)
    runs += FieldChar("begin") +
            Instruction(hyperlinks ? " TOC \\o \"1-3\" \\h \\z \\u " : " TOC \\o \"1-3\" ") +
            FieldChar("separate");
  if (hyperlinks)
    runs += "<w:hyperlink w:anchor=\"" + heading.anchor + "\" w:history=\"1\">" +
            Run(heading.title, "<w:rStyle w:val=\"Hyperlink\"/>") + "<w:r><w:tab/></w:r>" +
            FieldChar("begin") + Instruction(" PAGEREF " + heading.anchor + " \\h ") +
            FieldChar("separate") + Run(std::to_string(page)) + FieldChar("end") + "</w:hyperlink>";
  else
    runs += Run(heading.title) + "<w:r><w:tab/></w:r>" + Run(std::to_string(page));
  return Paragraph(
      runs, "<w:pStyle w:val=\"TOC" + std::to_string(heading.level) +
                "\"/><w:tabs><w:tab w:val=\"right\" w:leader=\"dot\" w:pos=\"9345\"/></w:tabs>");
}

std::string Heading(const FixtureHeading& heading, int id, bool bookmark = true) {
  const std::string number = std::to_string(id);
  const std::string style = "<w:pStyle w:val=\"Heading" + std::to_string(heading.level) + "\"/>";
  if (!bookmark)
    return Paragraph(Run(heading.title), style);
  return Paragraph("<w:bookmarkStart w:id=\"" + number + "\" w:name=\"" + heading.anchor + "\"/>" +
                       Run(heading.title) + "<w:bookmarkEnd w:id=\"" + number + "\"/>",
                   style);
}

// A text box as Word writes it: a shape with a white fill holding one paragraph.
std::string TextBox() {
  return "<w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wp:anchor "
         "distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\" simplePos=\"0\" "
         "relativeHeight=\"1\" behindDoc=\"0\" locked=\"0\" layoutInCell=\"1\" "
         "allowOverlap=\"1\"><wp:simplePos x=\"0\" y=\"0\"/><wp:positionH "
         "relativeFrom=\"column\"><wp:posOffset>0</wp:posOffset></wp:positionH><wp:positionV "
         "relativeFrom=\"paragraph\"><wp:posOffset>0</wp:posOffset></wp:positionV><wp:extent "
         "cx=\"2000000\" cy=\"500000\"/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" "
         "b=\"0\"/><wp:wrapTopAndBottom/><wp:docPr id=\"5\" name=\"Text Box 5\"/>"
         "<wp:cNvGraphicFramePr/><a:graphic><a:graphicData "
         "uri=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\"><wps:wsp>"
         "<wps:cNvSpPr txBox=\"1\"/><wps:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext "
         "cx=\"2000000\" cy=\"500000\"/></a:xfrm><a:prstGeom "
         "prst=\"rect\"><a:avLst/></a:prstGeom><a:solidFill><a:srgbClr "
         "val=\"FFFFFF\"/></a:solidFill></wps:spPr><wps:txbx><w:txbxContent>" +
         Paragraph(Run(kCaptionText)) +
         "</w:txbxContent></wps:txbx><wps:bodyPr/></wps:wsp></a:graphicData></a:graphic>"
         "</wp:anchor></w:drawing></mc:Choice></mc:AlternateContent></w:r>";
}

std::string Cell(const std::string& text) {
  return "<w:tc><w:tcPr><w:tcW w:w=\"3000\" w:type=\"dxa\"/></w:tcPr>" + Paragraph(Run(text)) +
         "</w:tc>";
}

std::string Picture() {
  return "<w:r><w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
         "<wp:extent cx=\"609600\" cy=\"609600\"/><wp:docPr id=\"1\" name=\"Picture 1\"/>"
         "<a:graphic><a:graphicData "
         "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
         "<pic:pic><pic:nvPicPr><pic:cNvPr id=\"1\" "
         "name=\"icon.png\"/><pic:cNvPicPr/></pic:nvPicPr>"
         "<pic:blipFill><a:blip "
         "r:embed=\"rIdImage\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
         "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"609600\" cy=\"609600\"/></a:xfrm>"
         "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic>"
         "</a:graphicData></a:graphic></wp:inline></w:drawing></w:r>";
}

std::string Styles() {
  std::string styles = std::string(kXmlDeclaration) + "<w:styles " + kNamespaces + ">" +
                       "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
                       "w:val=\"Normal\"/>"
                       "<w:rPr><w:rFonts w:ascii=\"Times New Roman\" w:hAnsi=\"Times New "
                       "Roman\"/><w:sz w:val=\"24\"/></w:rPr></w:style>";
  for (int level : {1, 2}) {
    const std::string l = std::to_string(level);
    styles += "<w:style w:type=\"paragraph\" w:styleId=\"Heading" + l +
              "\"><w:name w:val=\"heading " + l +
              "\"/><w:basedOn w:val=\"Normal\"/><w:next "
              "w:val=\"Normal\"/><w:pPr><w:keepNext/><w:outlineLvl w:val=\"" +
              std::to_string(level - 1) + "\"/></w:pPr><w:rPr><w:b/><w:sz w:val=\"" +
              (level == 1 ? "32" : "28") + "\"/></w:rPr></w:style>";
    styles += "<w:style w:type=\"paragraph\" w:styleId=\"TOC" + l + "\"><w:name w:val=\"toc " + l +
              "\"/><w:basedOn w:val=\"Normal\"/><w:next w:val=\"Normal\"/><w:pPr><w:ind w:left=\"" +
              std::to_string((level - 1) * 240) + "\"/></w:pPr></w:style>";
  }
  for (const char* id : {"Title", "Subtitle", "TOCHeading"}) {
    const std::string name = std::string(id) == "TOCHeading" ? "TOC Heading" : id;
    styles += std::string("<w:style w:type=\"paragraph\" w:styleId=\"") + id +
              "\"><w:name w:val=\"" + name +
              "\"/><w:basedOn w:val=\"Normal\"/><w:next w:val=\"Normal\"/><w:rPr><w:sz "
              "w:val=\"36\"/></w:rPr></w:style>";
  }
  styles +=
      "<w:style w:type=\"character\" w:styleId=\"Hyperlink\"><w:name w:val=\"Hyperlink\"/>"
      "<w:rPr><w:color w:val=\"0563C1\"/><w:u w:val=\"single\"/></w:rPr></w:style>"
      "<w:style w:type=\"character\" w:styleId=\"FootnoteReference\"><w:name w:val=\"footnote "
      "reference\"/>"
      "<w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr></w:style>"
      "<w:style w:type=\"paragraph\" w:styleId=\"FootnoteText\"><w:name w:val=\"footnote text\"/>"
      "<w:basedOn w:val=\"Normal\"/><w:rPr><w:sz w:val=\"20\"/></w:rPr></w:style>"
      "<w:style w:type=\"table\" w:styleId=\"TableGrid\"><w:name w:val=\"Table "
      "Grid\"/><w:tblPr><w:tblBorders>"
      "<w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/><w:left w:val=\"single\" "
      "w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
      "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/><w:right "
      "w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
      "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/><w:insideV "
      "w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>"
      "</w:tblBorders></w:tblPr></w:style></w:styles>";
  return styles;
}

const char* const kNumbering =
    "<w:abstractNum w:abstractNumId=\"0\"><w:multiLevelType w:val=\"hybridMultilevel\"/>"
    "<w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"bullet\"/><w:lvlText "
    "w:val=\"\xE2\x80\xA2\"/>"
    "<w:lvlJc w:val=\"left\"/><w:pPr><w:ind w:left=\"720\" "
    "w:hanging=\"360\"/></w:pPr></w:lvl></w:abstractNum>"
    "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>";

} // namespace

const std::vector<FixtureHeading>& FixtureHeadings() {
  static const std::vector<FixtureHeading> headings = {
      {1, "_Toc100", "Вступ до фізики"},     {2, "_Toc101", "Мета і завдання курсу"},
      {2, "_Toc102", "Одиниці вимірювання"}, {1, "_Toc103", "Оптика"},
      {2, "_Toc104", "Закони відбиття"},
  };
  return headings;
}

std::string MakeDocx(const WordFixture& fixture) {
  const auto& h = FixtureHeadings();
  const bool bookmarks = fixture.contentsHyperlinks;
  std::string body;
  if (fixture.titleAboveContents)
    body += Paragraph(Run("Фізика"), "<w:pStyle w:val=\"Title\"/>") +
            Paragraph(Run("Конспект лекцій"), "<w:pStyle w:val=\"Subtitle\"/>") +
            Paragraph(Run("Зміст"), "<w:pStyle w:val=\"TOCHeading\"/>");
  if (fixture.paragraphBeforeContents)
    body += Paragraph(Run("Передмова до курсу."));
  if (fixture.tableOfContents) {
    for (size_t i = 0; i < h.size(); ++i)
      body += TocLine(h[i], static_cast<int>(i) + 1, i == 0, fixture.contentsHyperlinks);
    body += Paragraph(FieldChar("end"));
  }
  body += Heading(h[0], 10, bookmarks);
  std::string first = Run("Фізика вивчає ґрунтовні закони природи: ");
  if (fixture.reviewerComment)
    first = "<w:commentRangeStart w:id=\"0\"/>" + first +
            "<w:commentRangeEnd w:id=\"0\"/><w:r><w:commentReference w:id=\"0\"/></w:r>";
  body += Paragraph(first + Run("енергія", "<w:b/>") + Run(", ") + Run("імпульс", "<w:i/>") +
                    Run(" і їхні зв'язки; π ≈ 3,14. Євген, Їжак."));
  body += Paragraph(Run("Перше") + Run(" ", "<w:b/>") + Run("друге"));
  body += Paragraph(Run("SECTION 1") + Run(" ", "<w:lang w:val=\"en-US\"/>") + Run("Introduction"));
  if (fixture.trackedChanges)
    body += Paragraph(Run("Зміни: ") + "<w:ins w:id=\"20\">" + Run(kInsertedText) + "</w:ins>" +
                      "<w:del w:id=\"21\"><w:r><w:delText xml:space=\"preserve\">" +
                      std::string(kDeletedText) + "</w:delText></w:r></w:del>");
  if (!fixture.extraText.empty())
    body += Paragraph(Run(fixture.extraText));
  for (int i = 0; i < fixture.bodyParagraphs; ++i)
    body += Paragraph(Run("Абзац " + std::to_string(i + 1) + ". ") +
                      Run("Закон збереження енергії", "<w:b/>") +
                      Run(" стверджує, що повна енергія замкненої системи не змінюється з "
                          "часом. Енергія не виникає з нічого і не зникає безслідно, вона лише "
                          "переходить з однієї форми в іншу: механічна стає тепловою, теплова — "
                          "електричною, а електрична — світловою. ") +
                      Run("Приклад:", "<w:i/>") +
                      Run(" тіло масою 2 кг падає з висоти 5 м; його потенціальна енергія "
                          "перетворюється на кінетичну, а після удару — на теплову."));
  body += Heading(h[1], 11, bookmarks);
  for (const char* item :
       {"Знати основні поняття", "Вміти розв'язувати задачі", "Проводити досліди"})
    body += Paragraph(Run(item), "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr>");
  body += Heading(h[2], 12, bookmarks);
  body += "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/><w:tblW w:w=\"0\" "
          "w:type=\"auto\"/></w:tblPr>"
          "<w:tblGrid><w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"3000\"/></w:tblGrid>"
          "<w:tr>" +
          Cell("Величина") + Cell("Одиниця") +
          "</w:tr>"
          "<w:tr>" +
          Cell("Довжина") + Cell("метр") + "</w:tr></w:tbl>";
  body += Heading(h[3], 13, bookmarks);
  body += Paragraph(Run("Світло поширюється прямолінійно."));
  if (!fixture.pictureBytes.empty())
    body += Paragraph(Picture());
  if (fixture.textBox)
    body += Paragraph(TextBox());
  body += Heading(h[4], 14, bookmarks);
  body += Paragraph(Run("Кут падіння дорівнює куту відбиття.") +
                    "<w:r><w:rPr><w:rStyle "
                    "w:val=\"FootnoteReference\"/></w:rPr><w:footnoteReference w:id=\"1\"/></w:r>");
  body += "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1134\" w:right=\"850\" "
          "w:bottom=\"1134\" w:left=\"1701\" w:header=\"708\" w:footer=\"708\" "
          "w:gutter=\"0\"/></w:sectPr>";

  const std::string document = std::string(kXmlDeclaration) + "<w:document " + kNamespaces +
                               "><w:body>" + body + "</w:body></w:document>";
  const std::string footnotes =
      std::string(kXmlDeclaration) + "<w:footnotes " + kNamespaces + ">" +
      "<w:footnote w:type=\"separator\" "
      "w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
      "<w:footnote w:type=\"continuationSeparator\" "
      "w:id=\"0\"><w:p><w:r><w:continuationSeparator/></w:r></w:p></w:footnote>"
      "<w:footnote w:id=\"1\">" +
      Paragraph(
          "<w:r><w:rPr><w:rStyle w:val=\"FootnoteReference\"/></w:rPr><w:footnoteRef/></w:r>" +
              Run(" Закон відомий з античності."),
          "<w:pStyle w:val=\"FootnoteText\"/>") +
      "</w:footnote></w:footnotes>";
  const std::string numbering = std::string(kXmlDeclaration) + "<w:numbering " + kNamespaces + ">" +
                                kNumbering + "</w:numbering>";
  const std::string comments =
      std::string(kXmlDeclaration) + "<w:comments " + kNamespaces +
      "><w:comment w:id=\"0\" w:author=\"Рецензент\" w:date=\"2024-03-01T10:00:00Z\" "
      "w:initials=\"Р\">" +
      Paragraph(Run(kCommentText)) + "</w:comment></w:comments>";

  const std::string contentTypes =
      std::string(kXmlDeclaration) +
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Default Extension=\"png\" ContentType=\"image/png\"/>"
      "<Override PartName=\"/word/document.xml\" "
      "ContentType=\"application/"
      "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
      "<Override PartName=\"/word/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
      "<Override PartName=\"/word/numbering.xml\" "
      "ContentType=\"application/"
      "vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml\"/>"
      "<Override PartName=\"/word/footnotes.xml\" "
      "ContentType=\"application/"
      "vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml\"/>" +
      (fixture.reviewerComment
           ? std::string("<Override PartName=\"/word/comments.xml\" "
                         "ContentType=\"application/"
                         "vnd.openxmlformats-officedocument.wordprocessingml.comments+xml\"/>")
           : std::string()) +
      "</Types>";
  const std::string packageRels =
      std::string(kXmlDeclaration) +
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
      "Target=\"word/document.xml\"/>"
      "</Relationships>";
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  const std::string documentRels =
      std::string(kXmlDeclaration) +
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" +
      rel +
      "styles\" Target=\"styles.xml\"/>"
      "<Relationship Id=\"rId2\" Type=\"" +
      rel +
      "numbering\" Target=\"numbering.xml\"/>"
      "<Relationship Id=\"rId3\" Type=\"" +
      rel + "footnotes\" Target=\"footnotes.xml\"/>" +
      (fixture.reviewerComment
           ? "<Relationship Id=\"rId4\" Type=\"" + rel + "comments\" Target=\"comments.xml\"/>"
           : std::string()) +
      (fixture.pictureBytes.empty() ? ""
                                    : "<Relationship Id=\"rIdImage\" Type=\"" + rel +
                                          "image\" Target=\"media/image1.png\"/>") +
      "</Relationships>";

  std::vector<std::pair<std::string, std::string>> entries = {
      {"[Content_Types].xml", contentTypes}, {"_rels/.rels", packageRels},
      {"word/document.xml", document},       {"word/_rels/document.xml.rels", documentRels},
      {"word/styles.xml", Styles()},         {"word/numbering.xml", numbering},
      {"word/footnotes.xml", footnotes}};
  if (!fixture.pictureBytes.empty())
    entries.push_back({"word/media/image1.png", fixture.pictureBytes});
  if (fixture.reviewerComment)
    entries.push_back({"word/comments.xml", comments});
  return ZipArchive(entries);
}

const std::vector<FixtureHeading>& LoHeadings() {
  static const std::vector<FixtureHeading> headings = {
      {1, "__RefHeading___Toc1_1", "1. Модель OSI"},
      {2, "__RefHeading___Toc2_1", "1.1 Фізичний рівень"},
      {3, "__RefHeading___Toc3_1", "1.1.1 Кабелі та роз'єми"},
      {1, "__RefHeading___Toc4_1", "2. Протокол TCP 2"},
  };
  return headings;
}

std::string MakeFlatOdt() {
  std::string styles;
  const auto style = [&styles](const char* name, const char* display, const char* parent,
                               const char* extra) {
    styles += std::string("<style:style style:name=\"") + name + "\" style:display-name=\"" +
              display + "\" style:family=\"paragraph\"" +
              (*parent ? std::string(" style:parent-style-name=\"") + parent + "\"" : "") + extra +
              "/>";
  };
  style("Standard", "Default Paragraph Style", "", " style:class=\"text\"");
  style("Heading", "Heading", "Standard", " style:class=\"text\"");
  style("Title", "Title", "Heading", " style:class=\"chapter\"");
  style("Subtitle", "Subtitle", "Heading", " style:class=\"chapter\"");
  style("Contents_20_Heading", "Contents Heading", "Heading", " style:class=\"index\"");
  for (const char* level : {"1", "2", "3"}) {
    style((std::string("Heading_20_") + level).c_str(), (std::string("Heading ") + level).c_str(),
          "Heading",
          (std::string(" style:default-outline-level=\"") + level + "\" style:class=\"text\"")
              .c_str());
    style((std::string("Contents_20_") + level).c_str(), (std::string("Contents ") + level).c_str(),
          "Standard", " style:class=\"index\"");
  }

  std::string templates;
  for (const char* level : {"1", "2", "3"})
    templates += std::string("<text:table-of-content-entry-template text:outline-level=\"") +
                 level + "\" text:style-name=\"Contents_20_" + level +
                 "\"><text:index-entry-link-start/><text:index-entry-chapter/>"
                 "<text:index-entry-text/><text:index-entry-tab-stop style:type=\"right\" "
                 "style:leader-char=\".\"/><text:index-entry-page-number/>"
                 "<text:index-entry-link-end/></text:table-of-content-entry-template>";
  std::string entries, body;
  int page = 1;
  for (const FixtureHeading& h : LoHeadings()) {
    const std::string level = std::to_string(h.level);
    entries += "<text:p text:style-name=\"Contents_20_" + level +
               "\"><text:a xlink:type=\"simple\" xlink:href=\"#" + h.anchor + "\">" + h.title +
               "<text:tab/>" + std::to_string(page++) + "</text:a></text:p>";
    body += "<text:h text:style-name=\"Heading_20_" + level + "\" text:outline-level=\"" + level +
            "\"><text:bookmark-start text:name=\"" + h.anchor + "\"/>" + h.title +
            "<text:bookmark-end text:name=\"" + h.anchor + "\"/></text:h>" +
            "<text:p text:style-name=\"Standard\">Текст розділу.</text:p>";
  }
  return std::string(kXmlDeclaration) +
         "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" office:version=\"1.3\" "
         "office:mimetype=\"application/vnd.oasis.opendocument.text\">"
         "<office:styles>" +
         styles +
         "</office:styles><office:body><office:text>"
         "<text:p text:style-name=\"Title\">Комп'ютерні мережі</text:p>"
         "<text:p text:style-name=\"Subtitle\">Конспект лекцій</text:p>"
         "<text:table-of-content text:name=\"Table of Contents1\">"
         "<text:table-of-content-source text:outline-level=\"3\">"
         "<text:index-title-template "
         "text:style-name=\"Contents_20_Heading\">Зміст</text:index-title-template>" +
         templates +
         "</text:table-of-content-source><text:index-body>"
         "<text:index-title text:name=\"Table of Contents1_Head\"><text:p "
         "text:style-name=\"Contents_20_Heading\">Зміст</text:p></text:index-title>" +
         entries + "</text:index-body></text:table-of-content>" + body +
         "</office:text></office:body></office:document>";
}

} // namespace quarbel::testing
