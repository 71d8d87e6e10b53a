#pragma once

// The elements of HTML as the book sees them: which ones it keeps, under which name, which go
// with their content and which give way to it, and what HTML5 says of the kept ones (empty,
// phrasing, transparent).

#include <map>
#include <string_view>

namespace quarbel::xhtml {

bool IsHeading(std::string_view name);

enum class Role { Keep, Drop, Unwrap };

// Every kept element (lower case) and the HTML5 element it becomes.
const std::map<std::string_view, std::string_view>& ElementNames();

// HTML5 elements are kept as they are; obsolete ones become the element that looks the same;
// elements that only work with scripts, plug-ins or forms go with their content; any other
// element gives way to its content.
Role RoleOf(std::string_view name);

// Elements that never have content in HTML5.
bool IsEmptyInHtml(std::string_view name);

// The kept elements that are written as <name/>.
bool IsVoid(std::string_view name);

bool IsPhrasing(std::string_view name);

// Elements whose content is whatever their parent may hold.
bool IsTransparent(std::string_view name);

} // namespace quarbel::xhtml
