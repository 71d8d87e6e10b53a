#include "generator/package/xhtml_attributes.h"

#include "generator/package/xhtml_elements.h"
#include "generator/package/xhtml_text.h"

#include <optional>

namespace quarbel::xhtml {

const std::string* Get(const Attributes& attributes, const std::string& name) {
  const auto found = attributes.find(name);
  return found == attributes.end() ? nullptr : &found->second;
}

void OwnAttributes(const std::string& tag, const Attributes& attributes, Node& node, Style& hints,
                   Style& cellHints) {
  const auto attribute = [&](const char* name) { return Get(attributes, name); };
  const auto copyInteger = [&](const char* name, bool positive, bool allowSign) {
    const std::string* value = attribute(name);
    if (!value)
      return;
    const std::optional<std::string> number = Integer(*value, allowSign);
    if (number && (!positive || std::stol(*number) > 0))
      Set(node, name, *number);
  };
  const auto lengthHint = [&](const char* name, const char* property) {
    if (const std::string* value = attribute(name))
      if (const std::optional<std::string> length = Length(*value))
        Hint(hints, property, *length);
  };
  const auto colourHint = [&](const char* name, const char* property) {
    if (const std::string* value = attribute(name))
      if (const std::optional<std::string> colour = Colour(*value))
        Hint(hints, property, *colour);
  };
  const std::string align = attribute("align") ? Lower(Trim(*attribute("align"))) : "";

  if (tag == "font") {
    if (const std::string* face = attribute("face"))
      if (const std::optional<std::string> family = FontFamily(*face))
        Hint(hints, "font-family", *family);
    colourHint("color", "color");
    if (const std::string* size = attribute("size"))
      if (const std::optional<std::string> keyword = FontSizeKeyword(*size))
        Hint(hints, "font-size", *keyword);
  } else if (tag == "center") {
    Hint(hints, "text-align", "center");
  } else if (tag == "big") {
    Hint(hints, "font-size", "larger");
  } else if (tag == "address") {
    Hint(hints, "font-style", "italic");
  } else if (tag == "table") {
    lengthHint("width", "width");
    lengthHint("height", "height");
    colourHint("bgcolor", "background-color");
    if (align == "left" || align == "right") {
      Hint(hints, "float", align);
    } else if (align == "center") {
      Hint(hints, "margin-left", "auto");
      Hint(hints, "margin-right", "auto");
    }
    cellHints.clear();
    if (const std::string* border = attribute("border")) {
      const std::optional<std::string> width = Integer(*border);
      if (!width || std::stol(*width) > 0) {
        Hint(hints, "border", (width ? *width : "1") + "px outset");
        Hint(cellHints, "border", "1px inset");
      }
    }
    if (const std::string* colour = attribute("bordercolor"))
      if (const std::optional<std::string> value = Colour(*colour)) {
        Hint(hints, "border-color", *value);
        Hint(cellHints, "border-color", *value);
      }
    if (const std::string* spacing = attribute("cellspacing"))
      if (const std::optional<std::string> pixels = Integer(*spacing))
        Hint(hints, "border-spacing", *pixels + "px");
    if (const std::string* padding = attribute("cellpadding"))
      if (const std::optional<std::string> pixels = Integer(*padding))
        Hint(cellHints, "padding", *pixels + "px");
  } else if (tag == "td" || tag == "th") {
    copyInteger("colspan", true, false);
    copyInteger("rowspan", false, false);
    if (const std::string* scope = attribute("scope"); scope && tag == "th") {
      const std::string value = Lower(Trim(*scope));
      if (IsOneOf(value, {"row", "col", "rowgroup", "colgroup"}))
        Set(node, "scope", value);
    }
    lengthHint("width", "width");
    lengthHint("height", "height");
    colourHint("bgcolor", "background-color");
    if (attribute("nowrap"))
      Hint(hints, "white-space", "nowrap");
    for (const Declaration& d : cellHints)
      Hint(hints, d.property, d.value);
    cellHints.clear();
  } else if (tag == "tr" || tag == "thead" || tag == "tbody" || tag == "tfoot") {
    if (tag == "tr")
      lengthHint("height", "height");
    colourHint("bgcolor", "background-color");
  } else if (tag == "col" || tag == "colgroup") {
    copyInteger("span", true, false);
    lengthHint("width", "width");
  } else if (tag == "ol") {
    copyInteger("start", false, true);
    if (const std::string* type = attribute("type");
        type && IsOneOf(Trim(*type), {"1", "a", "A", "i", "I"}))
      Set(node, "type", Trim(*type));
    if (attribute("reversed"))
      Set(node, "reversed", "reversed");
  } else if (tag == "ul" || tag == "li" || tag == "dir" || tag == "menu") {
    if (tag == "li")
      copyInteger("value", false, true);
    if (const std::string* type = attribute("type")) {
      static const std::map<std::string, std::string> styles = {
          {"disc", "disc"},     {"circle", "circle"}, {"square", "square"}, {"1", "decimal"},
          {"a", "lower-alpha"}, {"A", "upper-alpha"}, {"i", "lower-roman"}, {"I", "upper-roman"}};
      const std::string value = Trim(*type);
      const auto found = styles.find(value.size() > 1 ? Lower(value) : value);
      if (found != styles.end())
        Hint(hints, "list-style-type", found->second);
    }
  } else if (tag == "hr") {
    lengthHint("width", "width");
    if (const std::string* size = attribute("size"))
      if (const std::optional<std::string> pixels = Integer(*size))
        Hint(hints, "height", *pixels + "px");
    colourHint("color", "color");
    colourHint("color", "background-color");
    if (align == "left" || align == "right" || align == "center") {
      Hint(hints, "margin-left", align == "left" ? "0" : "auto");
      Hint(hints, "margin-right", align == "right" ? "0" : "auto");
    }
  } else if (tag == "br") {
    if (const std::string* clear = attribute("clear")) {
      const std::string value = Lower(Trim(*clear));
      if (value == "left" || value == "right" || value == "both")
        Hint(hints, "clear", value);
      else if (value == "all")
        Hint(hints, "clear", "both");
    }
  }

  if (tag == "caption" && (align == "top" || align == "bottom"))
    Hint(hints, "caption-side", align);
  if (IsHeading(tag) || IsOneOf(tag, {"p", "div", "caption", "td", "th", "tr", "thead", "tbody",
                                      "tfoot", "col", "colgroup"}))
    if (const std::string value = TextAlignOf(align); !value.empty())
      Hint(hints, "text-align", value);
  if (IsOneOf(tag, {"td", "th", "tr", "thead", "tbody", "tfoot", "col", "colgroup"}))
    if (const std::string* valign = attribute("valign"))
      if (const std::string value = VerticalAlignOf(*valign); !value.empty())
        Hint(hints, "vertical-align", value);
}

void ImageAttributes(const Attributes& attributes, Node& image, Style& hints) {
  for (const char* dimension : {"width", "height"})
    if (const std::string* value = Get(attributes, dimension)) {
      const std::optional<std::string> length = Length(*value);
      if (length && length->ends_with("px") && length->find('.') == std::string::npos)
        Set(image, dimension, length->substr(0, length->size() - 2));
      else if (length)
        Hint(hints, dimension, *length);
    }
  const std::string align = Lower(Trim(Get(attributes, "align") ? *Get(attributes, "align") : ""));
  if (align == "left" || align == "right")
    Hint(hints, "float", align);
  else if (align == "top" || align == "bottom" || align == "middle" || align == "baseline" ||
           align == "texttop" || align == "absmiddle" || align == "absbottom" || align == "center")
    Hint(hints, "vertical-align",
         align == "bottom"                           ? "baseline"
         : align == "absmiddle" || align == "center" ? "middle"
         : align == "texttop"                        ? "text-top"
         : align == "absbottom"                      ? "bottom"
                                                     : align);
  if (const std::string* border = Get(attributes, "border"))
    if (const std::optional<std::string> width = Integer(*border); width && std::stol(*width) > 0)
      Hint(hints, "border", *width + "px solid");
  if (const std::string* hspace = Get(attributes, "hspace"))
    if (const std::optional<std::string> pixels = Integer(*hspace)) {
      Hint(hints, "margin-left", *pixels + "px");
      Hint(hints, "margin-right", *pixels + "px");
    }
  if (const std::string* vspace = Get(attributes, "vspace"))
    if (const std::optional<std::string> pixels = Integer(*vspace)) {
      Hint(hints, "margin-top", *pixels + "px");
      Hint(hints, "margin-bottom", *pixels + "px");
    }
}

} // namespace quarbel::xhtml
