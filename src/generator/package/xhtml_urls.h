#pragma once

// The references of a page as the book writes them: stripped as browsers read them, links to
// fragments pointed at the ids the book gives, and escaped where a URL cannot hold a character
// as it is. XhtmlIdOf (xhtml_body.h) lives here too.

#include <string>
#include <string_view>

namespace quarbel::xhtml {

// A URL attribute as browsers read it: no surrounding blanks, no tabs or line ends inside.
std::string StripUrl(std::string_view url);

// The scheme of an absolute URL, lower case; empty for a relative one.
std::string SchemeOf(std::string_view url);

// A relative link's fragment names an id of the target page as XhtmlIdOf writes it.
std::string WithIdFragment(const std::string& url);

// A reference as the page may hold it: what a URL cannot hold as it is gets percent-encoded
// (blanks, quotes, angle brackets, a "%" that starts no escape, a second "#").
std::string WritableUrl(std::string_view url);

} // namespace quarbel::xhtml
