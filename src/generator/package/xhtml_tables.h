#pragma once

// Tables as XHTML wants them: caption, column groups, head, bodies and foot in this order,
// cells in rows and rows in the table or its groups. What a table holds that is no part of it
// goes before the table, as browsers show it; a cell, row or group outside a table gives way
// to its content.

#include "generator/package/xhtml_node.h"

namespace quarbel::xhtml {

// Repairs every table inside `node`, and the table parts outside tables.
void FixTables(Node& node);

} // namespace quarbel::xhtml
