#pragma once

// Small helpers for looking at and changing a page parsed by libxml2's HTML parser.

#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace quarbel::html {

std::string_view NameOf(const xmlNode* node);
bool IsElement(const xmlNode* node, std::string_view name);
// h1 … h6: the level, else 0.
int HeadingLevel(const xmlNode* node);
// Elements that start a block of their own (paragraphs, headings, tables, lists, divisions).
bool IsBlock(std::string_view name);
bool IsBlockElement(const xmlNode* node);

std::string Attribute(xmlNode* node, const char* name);
bool HasAttribute(xmlNode* node, const char* name);
void SetAttribute(xmlNode* node, const char* name, const std::string& value);

// All text inside the node (UTF-8).
std::string TextOf(xmlNode* node);
// Blanks, tabs, line ends and no-break spaces only.
bool IsBlank(std::string_view utf8);
// The text with every run of blanks, tabs and line ends turned into one blank, trimmed.
std::string Collapse(std::string_view text);

// Comments and blank text: nothing a reader sees between two elements.
bool IsIgnorable(const xmlNode* node);
// The next or previous sibling that is not ignorable, or null.
xmlNode* NextElement(xmlNode* node);
xmlNode* PreviousElement(xmlNode* node);

// A paragraph of plain text as the page counts it: no class, LibreOffice's "western", or
// MsoNormal.
bool IsPlainParagraph(xmlNode* node);

xmlNode* NewElement(const char* name);
void AddText(xmlNode* element, const std::string& utf8);
// Unlinks and frees the node.
void Remove(xmlNode* node);

} // namespace quarbel::html
