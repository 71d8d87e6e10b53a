#pragma once

#include "pictures/icon_picture.h"
#include "pictures/indexed_image.h"

#include <array>
#include <string>

namespace quarbel {

// The textbook's look as the styles window keeps it while the program runs.
struct StyleChoice {
  // On: the default style with the three colours; off: the style file.
  bool defaultStyle = false;
  // The style file as a Windows-1251 path; empty for the default style.
  std::string styleFile;
  RgbColor menuColour{0xf2, 0xff, 0xbf};
  RgbColor pageColour{0xf2, 0xff, 0xbf};
  RgbColor ruleColour{0xff, 0xff, 0xbe};
  std::array<IconPicture, kIconCount> icons; // empty: the built-in picture
  bool navigation = true;                    // pages get previous/next links
  bool operator==(const StyleChoice&) const = default;
};

// Whether a picture of this size may serve as the icon: the home and arrow icons from 10 to
// 48 pixels each way, the sub-list buttons exactly 10 x 10.
bool IconSizeAllowed(IconSlot slot, int width, int height);

} // namespace quarbel
