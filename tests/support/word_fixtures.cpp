#include "support/word_fixtures.h"

#include "support/zip_writer.h"

namespace quarbel::testing {
namespace {

const char* const kNamespaces =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";

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
std::string TocLine(const FixtureHeading& heading, int page, bool first) {
  std::string runs;
  if (first)
    runs +=
        FieldChar("begin") + Instruction(" TOC \\o \"1-3\" \\h \\z \\u ") + FieldChar("separate");
  runs += "<w:hyperlink w:anchor=\"" + heading.anchor + "\" w:history=\"1\">" +
          Run(heading.title, "<w:rStyle w:val=\"Hyperlink\"/>") + "<w:r><w:tab/></w:r>" +
          FieldChar("begin") + Instruction(" PAGEREF " + heading.anchor + " \\h ") +
          FieldChar("separate") + Run(std::to_string(page)) + FieldChar("end") + "</w:hyperlink>";
  return Paragraph(
      runs, "<w:pStyle w:val=\"TOC" + std::to_string(heading.level) +
                "\"/><w:tabs><w:tab w:val=\"right\" w:leader=\"dot\" w:pos=\"9345\"/></w:tabs>");
}

std::string Heading(const FixtureHeading& heading, int id) {
  const std::string number = std::to_string(id);
  return Paragraph("<w:bookmarkStart w:id=\"" + number + "\" w:name=\"" + heading.anchor + "\"/>" +
                       Run(heading.title) + "<w:bookmarkEnd w:id=\"" + number + "\"/>",
                   "<w:pStyle w:val=\"Heading" + std::to_string(heading.level) + "\"/>");
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
  std::string body;
  if (fixture.paragraphBeforeContents)
    body += Paragraph(Run("Передмова до курсу."));
  if (fixture.tableOfContents) {
    for (size_t i = 0; i < h.size(); ++i)
      body += TocLine(h[i], static_cast<int>(i) + 1, i == 0);
    body += Paragraph(FieldChar("end"));
  }
  body += Heading(h[0], 10);
  body += Paragraph(Run("Фізика вивчає ґрунтовні закони природи: ") + Run("енергія", "<w:b/>") +
                    Run(", ") + Run("імпульс", "<w:i/>") +
                    Run(" і їхні зв'язки; π ≈ 3,14. Євген, Їжак."));
  if (!fixture.extraText.empty())
    body += Paragraph(Run(fixture.extraText));
  body += Heading(h[1], 11);
  for (const char* item :
       {"Знати основні поняття", "Вміти розв'язувати задачі", "Проводити досліди"})
    body += Paragraph(Run(item), "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr>");
  body += Heading(h[2], 12);
  body += "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/><w:tblW w:w=\"0\" "
          "w:type=\"auto\"/></w:tblPr>"
          "<w:tblGrid><w:gridCol w:w=\"3000\"/><w:gridCol w:w=\"3000\"/></w:tblGrid>"
          "<w:tr>" +
          Cell("Величина") + Cell("Одиниця") +
          "</w:tr>"
          "<w:tr>" +
          Cell("Довжина") + Cell("метр") + "</w:tr></w:tbl>";
  body += Heading(h[3], 13);
  body += Paragraph(Run("Світло поширюється прямолінійно."));
  if (!fixture.pictureBytes.empty())
    body += Paragraph(Picture());
  body += Heading(h[4], 14);
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
      "vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml\"/>"
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
  return ZipArchive(entries);
}

} // namespace quarbel::testing
