#pragma once

// The body of a page as an EPUB content document holds it: markup that a word processor's
// HTML export may write in any way a browser forgives, rewritten as well-formed XHTML whose
// elements, attributes and nesting are all valid HTML5.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace quarbel {

// What a reference of the page points at: a@href, img@src (and video@poster, CSS url()),
// video/audio/source@src.
enum class ReferenceKind { Link, Picture, Media };

// Decides what a reference of the page (relative or absolute, as the page wrote it) becomes in
// the book: the reference to write, or nothing to drop it. A dropped link keeps its text, a
// dropped picture becomes its alt text, a dropped video or audio its fallback content.
// The fragment of a relative link ("#name", "page.html#name") arrives already turned into an id
// by XhtmlIdOf, so that it can be looked up in the ids of the target page.
// "javascript:" and "vbscript:" links never reach it: they are always dropped. What it returns
// is written with the characters a URL cannot hold (blanks, quotes, a second "#") escaped.
using ReferenceMap =
    std::function<std::optional<std::string>(const std::string& reference, ReferenceKind kind)>;

struct XhtmlBody {
  std::string markup;        // the children of <body>, well-formed XHTML, UTF-8
  std::set<std::string> ids; // every id in the markup
};

// `html` is UTF-8: a fragment of a page's body or a whole page (then its body is taken).
// Character references are resolved; invalid UTF-8 becomes U+FFFD.
XhtmlBody XhtmlBodyOf(const std::string& html, const ReferenceMap& map);

// The id that an id or an anchor name of a page becomes: blanks and the characters that a URL
// cannot hold as they are turned into "_", so that "#" + id is a valid link. Empty for an empty
// name.
std::string XhtmlIdOf(std::string_view name);

} // namespace quarbel
