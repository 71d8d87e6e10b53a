#pragma once

// The repairs that make a converted body valid XHTML5: every element where HTML5 allows it
// (tables, lists, definition lists, figures, ruby, links, phrases around blocks and blocks
// inside phrases), and every id once.

#include "generator/package/xhtml_node.h"

#include <set>
#include <string>

namespace quarbel::xhtml {

// Repairs the content of `body` in place and puts its ids in `ids`. Tables first, then lists
// and other groups, then links and definitions inside their own kind, then the phrasing and
// flow content of each element; last, the first element of an id keeps it, and an anchor left
// with neither id nor link gives way to its content.
void FixContentModel(Node& body, std::set<std::string>& ids);

} // namespace quarbel::xhtml
