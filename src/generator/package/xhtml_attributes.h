#pragma once

// What the attributes of an element become in the book, apart from its id, class, title,
// language, direction and style and the references it holds: the attributes XHTML keeps
// (spans, list numbers, header scopes) checked and written as it wants them, and the
// presentational attributes of old HTML as CSS hints.

#include "generator/package/inline_style.h"
#include "generator/package/xhtml_node.h"

#include <map>
#include <string>

namespace quarbel::xhtml {

// The attributes of an element as the page wrote them, by lower-case name ("xml:lang" with its
// prefix).
using Attributes = std::map<std::string, std::string>;

// An attribute's value, or nullptr.
const std::string* Get(const Attributes& attributes, const std::string& name);

// The attributes of an element `tag` (the page's name, lower case), which becomes `node`:
// the kept ones are set on the node, the presentational ones added to `hints`. A table puts
// the hints of its cells in `cellHints`, and a cell takes them from there.
void OwnAttributes(const std::string& tag, const Attributes& attributes, Node& node, Style& hints,
                   Style& cellHints);

// The same for a picture: width and height in whole pixels stay attributes, the rest (other
// lengths, align, border, hspace, vspace) become hints.
void ImageAttributes(const Attributes& attributes, Node& image, Style& hints);

} // namespace quarbel::xhtml
