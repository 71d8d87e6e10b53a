#include "generator/wrapper_pages.h"

#include "generator/html_text.h"
#include "text/cp1251.h"
#include "text/paths.h"
#include "text/text_case.h"

namespace quarbel {
namespace {

bool Contains(const std::string& text, std::initializer_list<const char*> parts) {
  for (const char* part : parts) {
    if (text.find(part) != std::string::npos)
      return true;
  }
  return false;
}

std::string Title(int pageNumber) {
  return "<Title>Page " + std::to_string(pageNumber) + "</Title>";
}

// The lines every wrapper page shares around its content: the content stands in a centred
// table, and the head closes only after it.
Lines Framed(int pageNumber, Lines content, bool withScript = false) {
  Lines lines = {"<HTML>", "<head>", Title(pageNumber)};
  if (withScript)
    lines.push_back("<script type=\"text/javascript\" src=\"swfobject.js\"></script>");
  lines.insert(lines.end(), {"<body>", "<Table Width = 100% Height = 100%>", "<TR>",
                             "<TD Align = Center Valign = Middle>"});
  lines.insert(lines.end(), content.begin(), content.end());
  lines.insert(lines.end(), {"</TD>", "</TR>", "</Table>", "</head>", "</body>", "</HTML>"});
  return lines;
}

} // namespace

PageKind PageKindOf(std::string_view documentPath) {
  const std::string ext = UpperCaseText(ExtensionOf(documentPath));
  if (Contains(ext, {".DOC", ".DOCX", ".RTF"}))
    return PageKind::Word;
  if (Contains(ext, {".MP4"}))
    return PageKind::Video;
  if (Contains(ext, {".PDF"}))
    return PageKind::Pdf;
  if (Contains(ext, {".DJVU"}))
    return PageKind::DjVu;
  if (Contains(ext, {".MCD", ".XMCD"}))
    return PageKind::MathCad;
  if (Contains(ext, {".XLS", ".XLSX"}))
    return PageKind::Excel;
  if (Contains(ext, {".PPS", ".PPT", ".PPTX"}))
    return PageKind::PowerPoint;
  if (Contains(ext, {".BMP", ".GIF", ".JPG", ".JPEG", ".PNG", ".TIF", ".TIFF"}))
    return PageKind::Image;
  return PageKind::Unlisted;
}

std::string TypeIconSource(PageKind kind) {
  switch (kind) {
  case PageKind::Pdf: return "PDF.PNG";
  case PageKind::DjVu: return "DjVu.PNG";
  case PageKind::MathCad: return "MathCad.PNG";
  case PageKind::Excel: return "Excel.PNG";
  case PageKind::PowerPoint: return "PowerPoint.PNG";
  default: return {};
  }
}

std::string TypeIconTarget(PageKind kind) {
  return LowerCaseText(TypeIconSource(kind));
}

Lines IconPage(int pageNumber, const std::string& safeName, PageKind kind) {
  return Framed(pageNumber, {"<A Href=\"other/" + QuotedAttributeText(safeName) +
                             "\"><IMG SRC=\"img/" + TypeIconTarget(kind) + "\"></A>"});
}

Lines ImagePage(int pageNumber, const std::string& safeName) {
  return Framed(pageNumber, {"<IMG SRC=\"other/" + QuotedAttributeText(safeName) + "\">"});
}

Lines VideoPage(int pageNumber, const std::string& safeName) {
  return Framed(
      pageNumber,
      {"<P Align = Center ID=\"Player1\">",
       "<A Href = \"http://get.adobe.com/flashplayer/\">" +
           Cp1251FromUtf8("Для перегляду мультимедіа, необхідно встановити ") +
           "Adobe Flash Player</A></P>",
       "<script type=\"text/javascript\">",
       "var S1 = new SWFObject(\"mediaplayer.swf\", \"single\", \"640\", \"480\", \"7\");",
       "S1.addParam(\"allowfullscreen\", \"true\");",
       "S1.addParam(\"allowscriptaccess\", \"always\");", "S1.addVariable(\"wmode\", \"opaque\");",
       "S1.addVariable(\"autostart\", \"false\");",
       "S1.addVariable(\"file\", \"other/" + ScriptStringText(safeName) + "\");",
       "S1.addVariable(\"stretching\", \"fill\");", "S1.addVariable(\"volume\", \"50\");",
       "S1.write(\"Player1\");", "</script>"},
      true);
}

Lines UnlistedPage(int pageNumber, std::string_view documentPath) {
  return Framed(pageNumber, {Cp1251FromUtf8("<P Align = Center>Документ \"") +
                             HtmlEscaped(FileNameOf(documentPath)) +
                             Cp1251FromUtf8("\" має тип, який посібник не може показати.</P>")});
}

} // namespace quarbel
