#include "generator/package/xhtml_body.h"

#include "generator/html_plain_text.h"
#include "pictures/gif_encoder.h"
#include "support/test_support.h"
#include "support/zip_writer.h"
#include "text/cp1251.h"
#include "text/file_bytes.h"
#include "wordproc/page_normaliser.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace quarbel {
namespace {

using namespace testing;

std::optional<std::string> AsWritten(const std::string& reference, ReferenceKind) {
  return reference;
}

// What an XML reader says of the markup inside an XHTML body ("" when it is well-formed),
// and the ids it finds there.
struct XmlCheck {
  std::string error;
  std::set<std::string> ids;
};

void CollectIds(xmlNode* node, std::set<std::string>& ids, std::string& error) {
  for (; node; node = node->next) {
    if (node->type != XML_ELEMENT_NODE)
      continue;
    if (xmlChar* id = xmlGetProp(node, reinterpret_cast<const xmlChar*>("id"))) {
      if (!ids.insert(reinterpret_cast<const char*>(id)).second)
        error += "duplicate id " + std::string(reinterpret_cast<const char*>(id)) + "\n";
      xmlFree(id);
    }
    CollectIds(node->children, ids, error);
  }
}

XmlCheck CheckXml(const std::string& markup) {
  const std::string document = "<body xmlns=\"http://www.w3.org/1999/xhtml\">" + markup + "</body>";
  XmlCheck check;
  xmlDoc* parsed =
      xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr, "UTF-8",
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!parsed) {
    const xmlError* error = xmlGetLastError();
    check.error = error && error->message ? error->message : "not well-formed";
    return check;
  }
  CollectIds(xmlDocGetRootElement(parsed), check.ids, check.error);
  xmlFreeDoc(parsed);
  return check;
}

struct Case {
  const char* name;
  const char* html;
  const char* xhtml;
};

// Each case converted with references kept as written: the markup expected, well-formed, with
// the ids the result lists.
void ExpectConversions(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const XhtmlBody body = XhtmlBodyOf(c.html, AsWritten);
    EXPECT_EQ(body.markup, c.xhtml) << c.name;
    const XmlCheck check = CheckXml(body.markup);
    EXPECT_EQ(check.error, "") << c.name;
    EXPECT_EQ(check.ids, body.ids) << c.name;
  }
}

const std::vector<Case>& ObsoleteElements() {
  static const std::vector<Case> cases = {
      {"font with face, colour and size",
       "<p><font face=\"Times New Roman, serif\" color=\"#FF0000\" size=\"4\">слово</font></p>",
       "<p><span style=\"font-family: &quot;Times New Roman&quot;, serif; color: #ff0000; "
       "font-size: large\">слово</span></p>"},
      {"font whose own style sets the size", "<font size=\"2\" style=\"font-size: 10pt\">x</font>",
       "<span style=\"font-size: 10pt\">x</span>"},
      {"relative font sizes", "<font size=\"+1\">x</font><font size=\"-2\">y</font>",
       "<span style=\"font-size: large\">x</span><span style=\"font-size: x-small\">y</span>"},
      {"center", "<center>Титул</center>", "<div style=\"text-align: center\">Титул</div>"},
      {"strike, tt, big, acronym",
       "<p><strike>a</strike><tt>b</tt><big>c</big><acronym title=\"t\">d</acronym></p>",
       "<p><s>a</s><code>b</code><span style=\"font-size: larger\">c</span><abbr "
       "title=\"t\">d</abbr></p>"},
      {"nobr, LibreOffice fields, Word's own elements",
       "<p><nobr>1 000</nobr> <sdfield type=PAGE subtype=RANDOM format=PAGE>3</sdfield>"
       "<o:p></o:p><st1:place w:st=\"on\">Київ</st1:place></p>",
       "<p>1 000 3Київ</p>"},
      {"an unknown element with an id stays for the links to it",
       "<p><layer id=\"note\">x</layer></p>", "<p><span id=\"note\">x</span></p>"},
      {"dir list", "<dir><li>a</li></dir>", "<ul><li>a</li></ul>"},
      {"empty elements the parser does not know as such",
       "<p>довго<wbr>слово<embed src=\"a.swf\">далі</p>", "<p>довго<wbr/>словодалі</p>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, ObsoleteAndUnknownElementsBecomeValidOnes) {
  ExpectConversions(ObsoleteElements());
}

const std::vector<Case>& DroppedContent() {
  static const std::vector<Case> cases = {
      {"script, style, comment",
       "<p>a<script>alert(1)</script><style>p{}</style>b<!-- note -->c</p>", "<p>abc</p>"},
      {"object and iframe with their fallback",
       "<p>a<object data=\"x.swf\"><param name=q value=1>fallback</object>"
       "<iframe src=\"x.html\">if</iframe>b</p>",
       "<p>ab</p>"},
      {"forms and their controls",
       "<form action=\"x\"><p>Ім'я <input name=n></p></form><p>після <select><option>1</option>"
       "</select>кінець</p>",
       "<p>після кінець</p>"},
      {"what belongs in the head",
       "<title>T</title><meta name=a content=b><link rel=stylesheet href=x.css><p>x</p>",
       "<p>x</p>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, ScriptsFormsAndPlugInsGoWithTheirContent) {
  ExpectConversions(DroppedContent());
}

const std::vector<Case>& PresentationalAttributes() {
  static const std::vector<Case> cases = {
      {"align of blocks",
       "<p align=\"justify\">x</p><h2 align=center>y</h2><div align=\"RIGHT\">z</div>",
       "<p style=\"text-align: justify\">x</p><h2 style=\"text-align: center\">y</h2>"
       "<div style=\"text-align: right\">z</div>"},
      {"a table and its cells",
       "<table width=\"400\" align=\"center\" border=\"1\" cellspacing=\"0\" cellpadding=\"5\" "
       "bgcolor=\"#ffffcc\"><tr valign=\"top\"><td width=\"50%\" height=\"20\" bgcolor=\"silver\" "
       "nowrap align=\"right\">a</td><td style=\"padding: 0\">b</td></tr></table>",
       "<table style=\"width: 400px; background-color: #ffffcc; margin-left: auto; margin-right: "
       "auto; border: 1px outset; border-spacing: 0px\"><tr style=\"vertical-align: top\"><td "
       "style=\"width: 50%; height: 20px; background-color: silver; white-space: nowrap; border: "
       "1px inset; padding: 5px; text-align: right\">a</td><td style=\"border: 1px inset; "
       "padding: 0\">b</td></tr></table>"},
      {"a table inside a cell has its own borders",
       "<table border=\"2\"><tr><td><table><tr><td>in</td></tr></table></td></tr></table>",
       "<table style=\"border: 2px outset\"><tr><td style=\"border: 1px inset\"><table><tr>"
       "<td>in</td></tr></table></td></tr></table>"},
      {"a table without border, floating",
       "<table border=\"0\" align=\"left\"><tr><td>a</td></tr></table>",
       "<table style=\"float: left\"><tr><td>a</td></tr></table>"},
      {"column widths",
       "<table><col width=\"185\"><col width=\"2*\"><tr><td>a</td><td>b</td></tr></table>",
       "<table><colgroup><col style=\"width: 185px\"/><col/></colgroup><tr><td>a</td><td>b</td>"
       "</tr></table>"},
      {"a picture's placement",
       "<p><img src=\"p.png\" name=\"Image1\" align=\"left\" border=\"1\" hspace=\"4\" "
       "width=\"64\" height=\"48.5\"></p>",
       "<p><img src=\"p.png\" alt=\"\" width=\"64\" style=\"height: 48.5px; float: left; border: "
       "1px solid; margin-left: 4px; margin-right: 4px\"/></p>"},
      {"a picture in the line",
       "<img src=\"f.png\" alt=\"Формула\" align=\"absmiddle\" border=\"0\">",
       "<img src=\"f.png\" alt=\"Формула\" style=\"vertical-align: middle\"/>"},
      {"rule and line break",
       "<hr size=\"2\" width=\"50%\" align=\"left\" color=\"gray\" noshade><p>a<br "
       "clear=\"all\">b</p>",
       "<hr style=\"width: 50%; height: 2px; color: gray; background-color: gray; margin-left: 0; "
       "margin-right: auto\"/><p>a<br style=\"clear: both\"/>b</p>"},
      {"list markers",
       "<ul type=\"square\"><li type=\"circle\">a</li></ul><ol type=\"I\" start=\"3\" reversed>"
       "<li value=\"5\" type=\"a\">b</li></ol>",
       "<ul style=\"list-style-type: square\"><li style=\"list-style-type: circle\">a</li></ul>"
       "<ol start=\"3\" type=\"I\" reversed=\"reversed\"><li value=\"5\" style=\"list-style-type: "
       "lower-alpha\">b</li></ol>"},
      {"caption below",
       "<table><caption align=\"bottom\">Таблиця 1</caption><tr><td>a</td></tr></table>",
       "<table><caption style=\"caption-side: bottom\">Таблиця 1</caption><tr><td>a</td></tr>"
       "</table>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, PresentationalAttributesBecomeStyleThatTheElementsOwnStyleOverrides) {
  ExpectConversions(PresentationalAttributes());
}

const std::vector<Case>& Attributes() {
  static const std::vector<Case> cases = {
      {"handlers and names go, global attributes stay",
       "<p onclick=\"go()\" name=\"x\" lang=\"uk\" dir=\"RTL\" title='t &amp; \"q\"' "
       "class=\" western \">a</p>",
       "<p class=\"western\" title=\"t &amp; &quot;q&quot;\" lang=\"uk\" dir=\"rtl\">a</p>"},
      {"invalid language and direction", "<p lang=\"so-language: en\" dir=\"up\">a</p>",
       "<p>a</p>"},
      {"xml:lang", "<span xml:lang=\"en-US\">a</span>", "<span lang=\"en-US\">a</span>"},
      {"broken declarations of a style",
       "<p style=\"color: red; }; font-size: 12pt; margin: 0 {x}; direction: rtl; unicode-bidi: "
       "embed; width: expression(alert(1)); font-family: 'Times New Roman'; :x; 9a: 1\">a</p>",
       "<p dir=\"rtl\" style=\"color: red; font-size: 12pt; font-family: 'Times New "
       "Roman'\">a</p>"},
      {"cell spans and headers",
       "<table><tr><td colspan=\"2\" rowspan=\"0\" headers=\"h1\" abbr=\"x\">a</td>"
       "<th colspan=\"0\" scope=\"COL\">b</th></tr></table>",
       "<table><tr><td colspan=\"2\" rowspan=\"0\">a</td><th scope=\"col\">b</th></tr></table>"},
      {"an item value in an unordered list", "<ul><li value=\"3\">a</li></ul>",
       "<ul><li>a</li></ul>"},
      {"picture sizes that are no numbers", "<img src=\"a.png\" width=\"auto\" height=\"-5\">",
       "<img src=\"a.png\" alt=\"\"/>"},
      {"link targets and relations", "<a href=\"x.html\" target=\"_blank\" rel=\"next\">a</a>",
       "<a href=\"x.html\">a</a>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, OnlyAttributesValidInHtml5AreKept) {
  ExpectConversions(Attributes());
}

const std::vector<Case>& Tables() {
  static const std::vector<Case> cases = {
      {"what is no part of a table goes before it",
       "<table><a name=\"t1\"></a>Примітка<tr><td>a</td><p>за рядком</p></tr></table>",
       "<a id=\"t1\"></a>Примітка<p>за рядком</p><table><tr><td>a</td></tr></table>"},
      {"caption first, foot last, loose rows grouped when groups are there",
       "<table><caption>C</caption><tbody><tr><td>1</td></tr></tbody><tr><td>2</td></tr>"
       "<td>3</td><tfoot><tr><td>f</td></tr></tfoot><tr><td>4</td></tr><caption>C2</caption>"
       "</table>",
       "<div>C2</div><table><caption>C</caption><tbody><tr><td>1</td></tr></tbody><tbody><tr>"
       "<td>2</td></tr><tr><td>3</td></tr><tr><td>4</td></tr></tbody><tfoot><tr><td>f</td></tr>"
       "</tfoot></table>"},
      {"content of a row group", "<table><tbody><p>в групі</p><tr><td>a</td></tr></tbody></table>",
       "<p>в групі</p><table><tbody><tr><td>a</td></tr></tbody></table>"},
      {"head before the body",
       "<table><tr><td>b</td></tr><thead><tr><th>h</th></tr></thead></table>",
       "<table><thead><tr><th>h</th></tr></thead><tr><td>b</td></tr></table>"},
      {"table parts outside a table",
       "<p>a</p><td>клітинка</td><tr><td>рядок</td></tr><col width=3><caption>підпис</caption>",
       "<p>a</p>клітинкарядокпідпис"},
  };
  return cases;
}

TEST(XhtmlBodyTest, TablesGetTheStructureXhtmlAllows) {
  ExpectConversions(Tables());
}

const std::vector<Case>& Lists() {
  static const std::vector<Case> cases = {
      {"text and a nested list straight in a list",
       "<ul>Вступ<li>a</li>текст<ul><li>n</li></ul><li>b</li></ul>",
       "<ul><li>Вступ</li><li>aтекст<ul><li>n</li></ul></li><li>b</li></ul>"},
      {"items outside lists", "<li>a</li> <li>b</li><p>x</p><dt>t</dt><dd>d</dd>",
       "<ul><li>a</li> <li>b</li></ul><p>x</p><dl><dt>t</dt><dd>d</dd></dl>"},
      {"text in a definition list", "<dl>Термін<dt>t</dt><dd>d</dd><p>далі</p></dl>",
       "<dl><dt></dt><dd>Термін</dd><dt>t</dt><dd>d<p>далі</p></dd></dl>"},
      {"terms and definitions out of pairs", "<dl><dd>a</dd><dt>b</dt><dt>c</dt></dl>",
       "<dl><dt></dt><dd>a</dd><dt>b</dt><dt>c</dt><dd></dd></dl>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, ListsHoldOnlyItems) {
  ExpectConversions(Lists());
}

const std::vector<Case>& Nesting() {
  static const std::vector<Case> cases = {
      {"a text frame inside a paragraph",
       "<p>текст<span id=\"Frame1\" style=\"float: left; width: 2in\"><p>у "
       "рамці</p></span>далі</p>",
       "<div>текст<div id=\"Frame1\" style=\"float: left; width: 2in\"><p>у рамці</p></div>далі"
       "</div>"},
      {"formatting around blocks",
       "<font face=\"Arial\"><p>a</p></font><b><table><tr><td>x</td></tr></table></b>",
       "<div style=\"font-family: &quot;Arial&quot;\"><p>a</p></div><div style=\"font-weight: "
       "bold\"><table><tr><td>x</td></tr></table></div>"},
      {"blocks inside a heading", "<h1><span><p>Розділ</p></span></h1>",
       "<h1><span><span style=\"display: block\">Розділ</span></span></h1>"},
      {"a list inside a heading",
       "<h2><span><ul><li class=\"x\" value=\"2\">a</li></ul></span></h2>",
       "<h2><span><span style=\"display: block\"><span class=\"x\" style=\"display: "
       "list-item\">a</span></span></span></h2>"},
      {"a link inside a link",
       "<p><a href=\"#x\"><span><a name=\"y\" href=\"#z\">z</a></span></a><a id=\"x\"></a>"
       "<a id=\"z\"></a></p>",
       "<p><a href=\"#x\"><span><span id=\"y\">z</span></span></a><a id=\"x\"></a><a "
       "id=\"z\"></a></p>"},
      {"a definition inside a definition", "<p><dfn>лінза <dfn>збиральна</dfn></dfn></p>",
       "<p><dfn>лінза <span>збиральна</span></dfn></p>"},
      {"ruby with and without its annotations",
       "<p><ruby>漢<rp>(</rp><rt>kan</rt><rp>)</rp>字<rt>ji</rt></ruby> <ruby>字<rp>(</rp>"
       "</ruby><rt>ji</rt></p>",
       "<p><ruby>漢<rp>(</rp><rt>kan</rt><rp>)</rp>字<rt>ji</rt></ruby> 字<span>(</span>"
       "<span>ji</span></p>"},
      {"a division inside a link inside a paragraph",
       "<p><a href=\"#x\"><span><div id=\"x\">a</div></span></a></p>",
       "<div><a href=\"#x\"><div><div id=\"x\">a</div></div></a></div>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, BlocksInsidePhrasesAndLinksInsideLinksAreMadeValid) {
  ExpectConversions(Nesting());
}

const std::vector<Case>& Anchors() {
  static const std::vector<Case> cases = {
      {"a bookmark", "<h1><a name=\"_Toc100\"></a>Вступ</h1>",
       "<h1><a id=\"_Toc100\"></a>Вступ</h1>"},
      {"an id wins over a name", "<a id=\"a1\" name=\"n1\">x</a>", "<a id=\"a1\">x</a>"},
      {"the first of equal ids keeps it", "<p id=\"p\">1</p><a name=\"p\">2</a><p id=\"p\">3</p>",
       "<p id=\"p\">1</p>2<p>3</p>"},
      {"an id with blanks and the link to it",
       "<div id=\"Table of Contents1\"><a href=\"#Table%20of%20Contents1\">up</a></div>",
       "<div id=\"Table_of_Contents1\"><a href=\"#Table_of_Contents1\">up</a></div>"},
      {"characters a link cannot hold", "<p id=\"a#b%c\">x</p><a href=\"#a%23b%25c\">y</a>",
       "<p id=\"a_b_c\">x</p><a href=\"#a_b_c\">y</a>"},
      {"an anchor with neither name nor link", "<a class=\"x\">text</a>", "text"},
  };
  return cases;
}

TEST(XhtmlBodyTest, AnchorNamesBecomeUniqueIdsThatLinksOfThePageStillReach) {
  ExpectConversions(Anchors());
}

const std::vector<Case>& Text() {
  static const std::vector<Case> cases = {
      {"markup characters", "<p>a &amp; b &lt; c &gt; d \"e\" 'f'</p>",
       "<p>a &amp; b &lt; c &gt; d \"e\" 'f'</p>"},
      {"character references", "<p>1&nbsp;000 &#1028; &#x456; &mdash;</p>",
       "<p>1\u00A0000 \u0404 \u0456 \u2014</p>"},
      {"control characters", "<p>a\x01z\x08&#1;c&#x85;d\x7F</p>", "<p>azcd</p>"},
      {"line ends", "<p>a\r\nb\rc</p>", "<p>a\nb\nc</p>"},
      {"preformatted text", "<pre>\n  код\n    відступ</pre>", "<pre>  код\n    відступ</pre>"},
      {"broken UTF-8", "<p>a\xFF\xC3z</p>", "<p>a\uFFFD\uFFFDz</p>"},
      {"text at the start of the fragment", "Просто текст <b>і жирний</b>",
       "Просто текст <b>і жирний</b>"},
      {"a whole page",
       "<html><head><title>T</title><style>p{}</style></head><body lang=uk link=blue><p>x</p>"
       "</body></html>",
       "<p>x</p>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, TextIsWrittenAsXmlHoldsIt) {
  ExpectConversions(Text());
}

const std::vector<Case>& Media() {
  static const std::vector<Case> cases = {
      {"video with a source of its own",
       "<video src=\"v.mp4\" poster=\"p.png\" controls width=\"320\" height=\"abc\" "
       "onplay=\"x()\">Немає відео</video>",
       "<video src=\"v.mp4\" poster=\"p.png\" controls=\"controls\" width=\"320\">Немає "
       "відео</video>"},
      {"audio with sources",
       "<audio controls><source src=\"a.mp3\" type=\"audio/mpeg\"><source src=\"a.ogg\" "
       "type=\"ogg\">Текст</audio>",
       "<audio controls=\"controls\"><source src=\"a.mp3\" type=\"audio/mpeg\"/><source "
       "src=\"a.ogg\"/>Текст</audio>"},
      {"video without anything to play", "<video><track src=x>Опис</video>", "Опис"},
      {"video inside a video", "<video src=\"a.mp4\"><video src=\"b.mp4\">b</video></video>",
       "<video src=\"a.mp4\">b</video>"},
  };
  return cases;
}

TEST(XhtmlBodyTest, VideoAndAudioKeepTheirSourcesOrGiveWayToTheirFallback) {
  ExpectConversions(Media());
}

// ---- References ---------------------------------------------------------------------------

struct Call {
  std::string reference;
  ReferenceKind kind;
  bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Call& call) {
  return out << call.reference << " (" << static_cast<int>(call.kind) << ")";
}

TEST(XhtmlBodyTest, EveryReferenceReachesTheMapOnceWithItsKind) {
  std::vector<Call> calls;
  const XhtmlBody body = XhtmlBodyOf(
      "<p><a href=\" lecture2.html#Part%20one \">далі</a><a href=\"#_Toc1\">1</a>"
      "<a href=\"mailto:teacher@school.ua\">пошта</a><a href=\"JavaScript:go()\">js</a>"
      "<img src=\"pic 1.png\"></p><p style=\"background: url('tile.gif') repeat\">фон</p>"
      "<video src=\"clip.mp4\" poster=\"frame.png\"></video><audio><source src=\"a.mp3\"></audio>",
      [&](const std::string& reference, ReferenceKind kind) -> std::optional<std::string> {
        calls.push_back({reference, kind});
        return "mapped/" + reference;
      });
  const std::vector<Call> expected = {{"lecture2.html#Part_one", ReferenceKind::Link},
                                      {"#_Toc1", ReferenceKind::Link},
                                      {"mailto:teacher@school.ua", ReferenceKind::Link},
                                      {"pic 1.png", ReferenceKind::Picture},
                                      {"tile.gif", ReferenceKind::Picture},
                                      {"clip.mp4", ReferenceKind::Media},
                                      {"frame.png", ReferenceKind::Picture},
                                      {"a.mp3", ReferenceKind::Media}};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(body.markup,
            "<p><a href=\"mapped/lecture2.html#Part_one\">далі</a><a "
            "href=\"mapped/#_Toc1\">1</a><a href=\"mapped/mailto:teacher@school.ua\">пошта</a>js"
            "<img src=\"mapped/pic%201.png\" alt=\"\"/></p><p style=\"background: "
            "url(&quot;mapped/tile.gif&quot;) repeat\">фон</p><video src=\"mapped/clip.mp4\" "
            "poster=\"mapped/frame.png\"></video><audio><source src=\"mapped/a.mp3\"/></audio>");
}

TEST(XhtmlBodyTest, WhatTheMapDropsLeavesItsText) {
  const XhtmlBody body = XhtmlBodyOf(
      "<p><a href=\"missing.html\">текст посилання</a> <a name=\"n\" href=\"#gone\">ціль</a> "
      "<img src=\"x.png\" alt=\"Рис. 1\" id=\"pic\"><img src=\"y.png\"></p>"
      "<p style=\"color: red; background-image: url(x.png)\">a</p>"
      "<video src=\"v.mp4\" controls><p>Відео <b>немає</b></p></video>"
      "<audio><source src=\"a.ogg\"><source src=\"a.mp3\">Звук</audio>",
      [](const std::string&, ReferenceKind) -> std::optional<std::string> { return std::nullopt; });
  EXPECT_EQ(body.markup, "<p>текст посилання <a id=\"n\">ціль</a> Рис. 1</p>"
                         "<p style=\"color: red\">a</p><p>Відео <b>немає</b></p>Звук");
  EXPECT_EQ(body.ids, std::set<std::string>{"n"});
}

TEST(XhtmlBodyTest, MappedReferencesAreWrittenAsValidUrls) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Лекція 1.xhtml", "Лекція%201.xhtml"},
      {"a.xhtml?x=1&y=\"2\"", "a.xhtml?x=1&amp;y=%222%22"},
      {"a.xhtml#b#c", "a.xhtml#b%23c"},
      {"100%.png", "100%25.png"},
      {"a%20b.png", "a%20b.png"},
      {"<x>{|}`^\\", "%3Cx%3E%7B%7C%7D%60%5E%5C"},
  };
  for (const auto& [mapped, written] : cases) {
    const XhtmlBody body =
        XhtmlBodyOf("<a href=\"x\">a</a>", [&](const std::string&, ReferenceKind) {
          return std::optional<std::string>(mapped);
        });
    EXPECT_EQ(body.markup, "<a href=\"" + written + "\">a</a>") << mapped;
  }
}

TEST(XhtmlBodyTest, IdsAreTheNamesWithWhatALinkCannotHoldReplaced) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"_Toc100", "_Toc100"},
      {"Table of Contents1", "Table_of_Contents1"},
      {"Розділ 2", "Розділ_2"},
      {"a\tb\nc\u00A0d", "a_b_c_d"},
      {"x\"#%<>\\^`{|}y", "x___________y"},
      {"1.2-3:4", "1.2-3:4"},
      {"", ""},
  };
  for (const auto& [name, id] : cases)
    EXPECT_EQ(XhtmlIdOf(name), id) << name;
}

// ---- LibreOffice's exports --------------------------------------------------------------------

std::string StoredExport(const std::string& name) {
  return ReadFileBytes(std::string(QUARBEL_TEST_DATA_DIR "/") + name);
}

// The real exports as LibreOffice wrote them, and as the normaliser makes them (its Windows-1251
// with character references back in UTF-8).
std::vector<std::pair<std::string, std::string>> ExportedPages() {
  std::vector<std::pair<std::string, std::string>> pages;
  for (const char* name : {"doc_toc", "intro", "notoc", "toc"}) {
    const std::string html = StoredExport(std::string(name) + ".html");
    pages.emplace_back(name, html);
    pages.emplace_back(std::string(name) + "-normalised", Utf8FromCp1251(NormaliseWebPage(html)));
  }
  return pages;
}

std::vector<std::string> FragmentLinks(const std::string& markup) {
  std::vector<std::string> targets;
  for (size_t at = markup.find("href=\"#"); at != std::string::npos;
       at = markup.find("href=\"#", at + 1)) {
    const size_t start = at + 7;
    targets.push_back(markup.substr(start, markup.find('"', start) - start));
  }
  return targets;
}

TEST(XhtmlBodyTest, LibreOfficeExportsKeepTheirTextAndTheirLinksReachTheirIds) {
  for (const auto& [name, html] : ExportedPages()) {
    const XhtmlBody body = XhtmlBodyOf(html, AsWritten);
    const XmlCheck check = CheckXml(body.markup);
    EXPECT_EQ(check.error, "") << name;
    EXPECT_EQ(check.ids, body.ids) << name;
    EXPECT_EQ(PlainTextOfHtml(body.markup), PlainTextOfHtml(html)) << name;
    const std::vector<std::string> links = FragmentLinks(body.markup);
    EXPECT_GE(links.size(), 2u) << name;
    for (const std::string& target : links)
      EXPECT_TRUE(body.ids.contains(target)) << name << ": #" << target;
    for (const char* obsolete :
         {"<font", " align=", " name=", " width=\"185\"", "valign", "cellpadding", "&nbsp;"})
      EXPECT_EQ(body.markup.find(obsolete), std::string::npos) << name << ": " << obsolete;
  }
  const XhtmlBody toc = XhtmlBodyOf(StoredExport("toc.html"), AsWritten);
  for (const char* kept :
       {"<div id=\"Table_of_Contents1\" dir=\"ltr\">", "<a href=\"#_Toc103\">Оптика\t4</a>",
        "<h1 class=\"western\"><a id=\"_Toc100\"></a>Вступ до фізики</h1>",
        "<table style=\"width: 400px; border-spacing: 0px\">",
        "<colgroup><col style=\"width: 185px\"/><col style=\"width: 185px\"/></colgroup>",
        "<tr style=\"vertical-align: top\">",
        "<td style=\"width: 185px; border: 1px solid #000000; padding: 0in 0.08in\">",
        "<span style=\"font-size: 10pt\">Величина</span>",
        "<img src=\"fix_html_45a5918a81a8f82f.png\" alt=\"\" width=\"64\" height=\"64\" "
        "style=\"vertical-align: baseline\"/>",
        "<a id=\"sdfootnote1anc\" class=\"sdfootnoteanc\" "
        "href=\"#sdfootnote1sym\"><sup>1</sup></a>",
        "<li><p class=\"western\""})
    EXPECT_NE(toc.markup.find(kept), std::string::npos) << kept;
}

// ---- The pages in a book as epubcheck sees it --------------------------------------------

std::string ContentDocument(const std::string& title, const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
         "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"uk\" lang=\"uk\">\n<head>\n"
         "<meta charset=\"UTF-8\"/>\n<title>" +
         title + "</title>\n</head>\n<body>\n" + body + "\n</body>\n</html>\n";
}

// One book of many pages: the mimetype first and stored, the container, the package, the
// navigation, the pages and the one picture and sound they show.
std::string Book(const std::vector<std::pair<std::string, std::string>>& pages) {
  IndexedImage pixel;
  pixel.width = pixel.height = 1;
  pixel.palette = {{255, 255, 255}};
  pixel.pixels = {0};
  std::string manifest =
      "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
      "properties=\"nav\"/>\n<item id=\"pixel\" href=\"pixel.gif\" media-type=\"image/gif\"/>\n"
      "<item id=\"sound\" href=\"sound.mp3\" media-type=\"audio/mpeg\"/>\n";
  std::string spine;
  std::string navigation;
  std::vector<std::pair<std::string, std::string>> files = {
      {"mimetype", "application/epub+zip"},
      {"META-INF/container.xml",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<container version=\"1.0\" "
       "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles><rootfile "
       "full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>"
       "</rootfiles></container>\n"}};
  for (size_t i = 0; i < pages.size(); ++i) {
    const std::string id = "page" + std::to_string(i + 1);
    manifest += "<item id=\"" + id + "\" href=\"" + id +
                ".xhtml\" media-type=\"application/xhtml+xml\"/>\n";
    spine += "<itemref idref=\"" + id + "\"/>\n";
    navigation += "<li><a href=\"" + id + ".xhtml\">" + pages[i].first + "</a></li>\n";
    files.emplace_back("OEBPS/" + id + ".xhtml", ContentDocument(pages[i].first, pages[i].second));
  }
  files.emplace_back(
      "OEBPS/content.opf",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<package xmlns=\"http://www.idpf.org/2007/opf\" "
      "version=\"3.0\" unique-identifier=\"uid\" xml:lang=\"uk\">\n<metadata "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n<dc:identifier "
      "id=\"uid\">urn:uuid:5f0c2a52-3a4e-4c5e-9b8e-0f6d1d2c3b4a</dc:identifier>\n<dc:title>Фізика"
      "</dc:title>\n<dc:language>uk</dc:language>\n<meta "
      "property=\"dcterms:modified\">2024-01-01T00:00:00Z</meta>\n</metadata>\n<manifest>\n" +
          manifest + "</manifest>\n<spine>\n" + spine + "</spine>\n</package>\n");
  files.emplace_back("OEBPS/nav.xhtml",
                     ContentDocument("Зміст", "<nav xmlns:epub=\"http://www.idpf.org/2007/ops\" "
                                              "epub:type=\"toc\"><ol>\n" +
                                                  navigation + "</ol></nav>"));
  files.emplace_back("OEBPS/pixel.gif", EncodeGif(pixel));
  // One MPEG audio frame (layer III, 128 kbit/s, 44.1 kHz, 417 bytes) of zeros.
  files.emplace_back("OEBPS/sound.mp3",
                     std::string("\xFF\xFB\x90\x64", 4) + std::string(413, '\0'));
  return ZipArchive(files);
}

// A page as the book's maker would convert it: links to ids of the page and to the web stay,
// other pages' links go, every picture and sound is the book's own.
XhtmlBody BookPage(const std::string& html) {
  const std::set<std::string> ids = XhtmlBodyOf(html, AsWritten).ids;
  return XhtmlBodyOf(
      html, [&](const std::string& reference, ReferenceKind kind) -> std::optional<std::string> {
        if (kind == ReferenceKind::Picture)
          return "pixel.gif";
        if (kind == ReferenceKind::Media)
          return "sound.mp3";
        if (reference.starts_with('#') && ids.contains(reference.substr(1)))
          return reference;
        if (reference.starts_with("http://") || reference.starts_with("https://") ||
            reference.starts_with("mailto:"))
          return reference;
        return std::nullopt;
      });
}

TEST(XhtmlBodyTest, EpubcheckFindsNothingWrongWithTheConvertedPages) {
  std::vector<std::pair<std::string, std::string>> pages;
  for (const auto& [name, html] : ExportedPages())
    pages.emplace_back(name, BookPage(html).markup);
  for (const std::vector<Case>* cases :
       {&ObsoleteElements(), &DroppedContent(), &PresentationalAttributes(), &Attributes(),
        &Tables(), &Lists(), &Nesting(), &Anchors(), &Text(), &Media()})
    for (const Case& c : *cases)
      pages.emplace_back(c.name, BookPage(c.html).markup);

  TempDir dir;
  WriteBytes(dir / "book.epub", Book(pages));
  const std::string command = "java -jar /usr/bin/epubcheck '" + (dir / "book.epub").string() +
                              "' >'" + (dir / "report.txt").string() + "' 2>&1";
  const int status = std::system(command.c_str());
  const std::string report = ReadFileBytes(dir / "report.txt");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << report;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);)
    EXPECT_FALSE(line.starts_with("ERROR") || line.starts_with("WARNING") ||
                 line.starts_with("FATAL"))
        << line;
  EXPECT_NE(report.find("No errors or warnings detected"), std::string::npos) << report;
}

} // namespace
} // namespace quarbel
