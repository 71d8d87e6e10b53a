#pragma once

#include <string>
#include <string_view>

// The text of a node says what the node is. A document node's text is
// title + " [ " + full path + " ]"; any text without "[" is an item (a heading).
namespace quarbel {

std::string ComposeDocumentText(std::string_view title, std::string_view path);

bool IsDocumentText(std::string_view text);

// The path of a document text: what follows the first "[" and the one character after it,
// without the last two characters. Undefined texts (too short) give what is left, or "".
std::string PathFromNodeText(std::string_view text);

// The title of a document text (everything before the blank that precedes the first "["),
// or the whole text of an item.
std::string TitleFromNodeText(std::string_view text);

// The title under which a file enters the structure: its file name without the last
// extension ("Тема.нова.pdf" gives "Тема.нова"); a name that is all extension or has none
// stays whole. "[" and "]" become "(" and ")", so that the node text keeps one "[", the
// one before its path.
std::string TitleFromPath(std::string_view path);

} // namespace quarbel
