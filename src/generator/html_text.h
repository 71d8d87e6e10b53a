#pragma once

#include <string>
#include <string_view>

// Texts the teacher typed, or that a course or record file holds, as they go into a page.
namespace quarbel {

// A typed text as page markup. The inline formatting a teacher may mean ("CO<sub>2</sub>")
// stays as it is: the tags b, i, u, em, strong, sub and sup without attributes, opening and
// closing, in any letter case; the line breaks <br>, <br/> and <br />; and character
// references (&amp; &nbsp; &#1234; &#x4E00;). Every other "<" becomes "&lt;", every other ">"
// "&gt;" and every stray "&" "&amp;", so no other markup, script or attribute comes through.
// Windows-1251 in and out; a text of plain words comes out byte for byte the same.
std::string TypedTextAsHtml(std::string_view text);

// Plain text (a file name) as page text: "&", "<", ">" and '"' as their references.
std::string HtmlEscaped(std::string_view text);

// A file name as the value of a double-quoted attribute: every '"' becomes "&quot;", nothing
// else changes, so a name cannot end the value and add attributes of its own.
std::string QuotedAttributeText(std::string_view text);

// A file name inside a double-quoted script string: '\' and '"' get a '\' in front, nothing
// else changes, so a name cannot end the string and add script of its own.
std::string ScriptStringText(std::string_view text);

} // namespace quarbel
