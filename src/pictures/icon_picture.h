#pragma once

#include <string>

namespace quarbel {

// A picture the textbook uses for one of its icons: the bytes as loaded and the extension of
// the file they came from (".JPG", letter case kept); empty bytes mean the built-in GIF.
struct IconPicture {
  std::string bytes;
  std::string extension;
  bool operator==(const IconPicture&) const = default;
};

// The five icons in the order the styles window and the textbook keep them.
enum IconSlot { HomeIcon, PreviousIcon, ForwardIcon, MinusIcon, PlusIcon, kIconCount };

} // namespace quarbel
