#include "generator/package/xhtml_elements.h"

#include "generator/package/xhtml_text.h"

#include <utility>

namespace quarbel::xhtml {

bool IsHeading(std::string_view name) {
  return name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
}

const std::map<std::string_view, std::string_view>& ElementNames() {
  static const std::map<std::string_view, std::string_view> names = [] {
    std::map<std::string_view, std::string_view> kept;
    for (std::string_view name :
         {"p",        "div",    "span",       "h1",    "h2",    "h3",     "h4",         "h5",
          "h6",       "a",      "b",          "i",     "u",     "s",      "em",         "strong",
          "sub",      "sup",    "small",      "br",    "hr",    "img",    "table",      "caption",
          "colgroup", "col",    "thead",      "tbody", "tfoot", "tr",     "td",         "th",
          "ul",       "ol",     "li",         "dl",    "dt",    "dd",     "blockquote", "pre",
          "code",     "figure", "figcaption", "video", "audio", "source", "abbr",       "bdi",
          "bdo",      "cite",   "dfn",        "kbd",   "mark",  "q",      "samp",       "var",
          "wbr",      "ruby",   "rt",         "rp",    "del",   "ins"})
      kept[name] = name;
    const std::pair<std::string_view, std::string_view> renamed[] = {
        {"font", "span"},   {"center", "div"},   {"strike", "s"},      {"tt", "code"},
        {"big", "span"},    {"acronym", "abbr"}, {"dir", "ul"},        {"menu", "ul"},
        {"listing", "pre"}, {"xmp", "pre"},      {"plaintext", "pre"}, {"time", "span"},
        {"data", "span"},   {"address", "div"},  {"section", "div"},   {"article", "div"},
        {"aside", "div"},   {"nav", "div"},      {"header", "div"},    {"footer", "div"},
        {"main", "div"},    {"hgroup", "div"},   {"fieldset", "div"},  {"legend", "div"},
        {"details", "div"}, {"summary", "div"},  {"dialog", "div"}};
    for (const auto& [from, to] : renamed)
      kept[from] = to;
    return kept;
  }();
  return names;
}

Role RoleOf(std::string_view name) {
  if (ElementNames().contains(name))
    return Role::Keep;
  const bool dropped =
      IsOneOf(name, {"script", "style",    "link",     "meta",   "title",    "object",   "embed",
                     "iframe", "frame",    "frameset", "applet", "param",    "form",     "input",
                     "button", "select",   "textarea", "option", "optgroup", "datalist", "keygen",
                     "output", "progress", "meter",    "canvas", "area",     "track",    "head",
                     "base",   "basefont", "template", "spacer", "isindex"});
  return dropped ? Role::Drop : Role::Unwrap;
}

bool IsEmptyInHtml(std::string_view name) {
  return IsOneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "keygen",
                        "link", "meta", "param", "source", "track", "wbr", "basefont", "frame",
                        "isindex", "spacer"});
}

bool IsVoid(std::string_view name) {
  return name == "br" || name == "hr" || name == "img" || name == "col" || name == "wbr" ||
         name == "source";
}

bool IsPhrasing(std::string_view name) {
  return IsOneOf(name, {"a",    "abbr",  "b",    "bdi",    "bdo",   "br",    "cite", "code", "del",
                        "dfn",  "em",    "i",    "img",    "ins",   "kbd",   "mark", "q",    "s",
                        "samp", "small", "span", "strong", "sub",   "sup",   "u",    "var",  "wbr",
                        "ruby", "rt",    "rp",   "audio",  "video", "source"});
}

bool IsTransparent(std::string_view name) {
  return IsOneOf(name, {"a", "del", "ins", "audio", "video"});
}

} // namespace quarbel::xhtml
