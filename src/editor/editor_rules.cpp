#include "editor/editor_rules.h"

#include "text/cp1251.h"
#include "text/paths.h"
#include "text/text_case.h"

#include <cstdio>

namespace quarbel {

std::string LinkFragment(const std::string& url, const std::string& name) {
  return "<A Href = \"" + url + "\">" + name + "</A>";
}

std::string ImageFragment(const std::string& src) {
  return "<IMG SRC=\"" + src + "\">";
}

std::string SubscriptFragment(const std::string& text) {
  return "<sub>" + text + "</sub>";
}

std::string SuperscriptFragment(const std::string& text) {
  return "<sup>" + text + "</sup>";
}

std::string ColorToHTML(RgbColor colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%.2x%.2x%.2x", colour.r, colour.g, colour.b);
  return buffer;
}

std::string FontNameValue(const std::string& name) {
  return "face=\"" + name + "," + name + "," + name + "\"";
}

int FontSizeValue(int points) {
  return points / 3;
}

std::vector<std::string> StyleCommands(bool bold, bool italic, bool underline, bool strikeOut) {
  std::vector<std::string> commands;
  if (strikeOut)
    return commands;
  if (bold)
    commands.push_back("Bold");
  if (italic)
    commands.push_back("Italic");
  if (underline)
    commands.push_back("Underline");
  return commands;
}

std::string SaveAsName(const std::string& chosen, int filter) {
  const std::string extension = UpperCaseText(ExtensionOf(chosen));
  if (extension == ".HTM" || extension == ".HTML")
    return chosen;
  return chosen + (filter == 1 ? ".html" : ".htm");
}

PictureTarget PictureTargetOf(const std::string& chosen, int filter) {
  const std::string extension = UpperCaseText(ExtensionOf(chosen));
  if (extension == ".BMP")
    return {chosen, 1};
  if (extension == ".GIF")
    return {chosen, 2};
  if (extension == ".JPG" || extension == ".JPEG")
    return {chosen, 3};
  static const char* const kAppended[4] = {".Bmp", ".Gif", ".Jpg", ".Jpeg"};
  const int index = filter >= 0 && filter < 4 ? filter : 0;
  return {chosen + kAppended[index], index + 1};
}

bool ZoomIn(double& factor) {
  if (factor >= 2.0)
    return false;
  factor += 0.1;
  return true;
}

bool ZoomOut(double& factor) {
  if (factor <= 0.2)
    return false;
  factor -= 0.1;
  return true;
}

std::string ZoomStatus(double factor) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15g", factor * 100);
  return Cp1251FromUtf8("Масштаб = ") + buffer + "%";
}

} // namespace quarbel
