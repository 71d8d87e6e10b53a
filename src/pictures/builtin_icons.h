#pragma once

#include <string_view>

namespace quarbel {

// The pictures a textbook uses until the user picks others: the home link, the page
// navigation arrows and the menu's open/close buttons.
enum class BuiltInIcon { Home, Previous, Forward, Minus, Plus };

// The GIF bytes of a built-in icon (home 48 x 48, previous and forward 32 x 32, minus and
// plus 10 x 10 pixels), held inside the program.
std::string_view BuiltInIconGif(BuiltInIcon icon);

} // namespace quarbel
