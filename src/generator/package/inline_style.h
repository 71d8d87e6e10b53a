#pragma once

// The style sheet of a single element: the declarations of a style attribute that a CSS reader
// takes, with the pictures they refer to rewritten, and the CSS values that the presentational
// attributes of old HTML (colours, lengths, font sizes and faces, alignments) stand for.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarbel::xhtml {

struct Declaration {
  std::string property;
  std::string value;
};
using Style = std::vector<Declaration>;

bool Sets(const Style& style, std::string_view property);

// A presentational hint: the first hint of a property counts.
void Hint(Style& hints, std::string property, std::string value);

// What a url(...) of a style becomes, or nothing to drop its declaration.
using UrlRewrite = std::function<std::optional<std::string>(const std::string&)>;

// The declarations of a style attribute that a CSS reader takes; broken ones are left out, and
// so are the ones that run code or whose url() is dropped. The last declaration of a property
// wins.
Style ParseStyle(std::string_view css, const UrlRewrite& rewrite);

// A colour: "#rgb", "#rrggbb" (with or without "#") or a name.
std::optional<std::string> Colour(std::string_view text);

// A non-negative integer as the page wrote it, or nothing.
std::optional<std::string> Integer(std::string_view text, bool allowSign = false);

// A length of a presentational attribute as CSS writes it: "120" is pixels, "50%" stays.
std::optional<std::string> Length(std::string_view text);

// <font size>: 1 to 7, or relative to 3 with a sign, as a font-size keyword.
std::optional<std::string> FontSizeKeyword(std::string_view text);

// <font face>: a font-family list, the faces quoted and the generic families as they are.
std::optional<std::string> FontFamily(std::string_view faces);

// An align attribute as text-align; empty when it is none of them.
std::string TextAlignOf(std::string_view align);

// A valign attribute as vertical-align; empty when it is none of them.
std::string VerticalAlignOf(std::string_view valign);

} // namespace quarbel::xhtml
