#pragma once

#include "pictures/indexed_image.h"

#include <string>
#include <vector>

// The editor's fixed texts and small rules: the fragments it pastes into the page, the
// values of its font commands, the names its save choosers lead to, and the zoom steps.
// The fragments put what the user typed in exactly as typed, byte for byte, so they serve
// UTF-8 as well as Windows-1251 texts.
namespace quarbel {

std::string LinkFragment(const std::string& url, const std::string& name);
std::string ImageFragment(const std::string& src);
std::string SubscriptFragment(const std::string& text);
std::string SuperscriptFragment(const std::string& text);
inline constexpr const char* kCopyrightFragment = "&copy;";
inline constexpr const char* kRegisteredFragment = "&reg;";
inline constexpr const char* kTradeMarkFragment = "&#8482;";
inline constexpr const char* kHorizontalLineFragment = "<HR>";

// "#" and six lower-case hexadecimal digits, red first.
std::string ColorToHTML(RgbColor colour);
// The value of "FontName": face="name,name,name".
std::string FontNameValue(const std::string& name);
// The value of "FontSize": the point size divided by 3.
int FontSizeValue(int points);
// The style commands a font choice runs, in order: only the seven sets of bold, italic and
// underline run any, and a set with strike-out runs none.
std::vector<std::string> StyleCommands(bool bold, bool italic, bool underline, bool strikeOut);

// Save as: a name ending in ".htm" or ".html" (any letter case) is kept; any other gets
// ".htm" with the first filter and ".html" with the second.
std::string SaveAsName(const std::string& chosen, int filter);

// Save as picture: the target and the picture type (1 BMP, 2 GIF, 3 or 4 JPEG). A name with
// a picture extension keeps it and the extension sets the type; any other gets the
// selected filter's extension (".Bmp", ".Gif", ".Jpg", ".Jpeg") and type.
struct PictureTarget {
  std::string path;
  int type = 1;
};
PictureTarget PictureTargetOf(const std::string& chosen, int filter);

// Zoom steps of 0.1 between 0.1 and 2.0; false when the step is not taken.
bool ZoomIn(double& factor);
bool ZoomOut(double& factor);
// "Масштаб = N%" with N = factor × 100 in at most 15 significant digits.
std::string ZoomStatus(double factor);

} // namespace quarbel
