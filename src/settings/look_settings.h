#pragma once

#include "settings/ini_file.h"
#include "settings/style_choice.h"

#include <filesystem>
#include <optional>

namespace quarbel {

// The styles window's choice as the settings file keeps it between runs, in the section
// "Look": the style sheet by its file name in the Styles folder ("StyleFile=Default.css"),
// the colours as "#rrggbb", the navigation, and for each icon the extension of its picture
// in the IMG folder ("HomeIcon=.gif" for IMG/Icon-Home.gif; empty for the built-in one).
// `styleFile` of the choice read or written is that file name, not a path.

// The choice the file keeps; nothing when the file has no "Look" section (it was written
// before the program kept one) so that the window starts as it always did. A colour that
// cannot be read keeps its default; an icon whose picture is gone is the built-in one.
std::optional<StyleChoice> ReadLook(const IniFile& ini, const std::filesystem::path& img);

// Puts the choice into the "Look" section.
void WriteLook(IniFile& ini, const StyleChoice& look);

// Writes the icons' pictures into `img` and deletes the pictures of icons that are built-in
// now or whose extension changed. Throws Error when a picture cannot be written.
void StoreLookPictures(const StyleChoice& look, const std::filesystem::path& img);

} // namespace quarbel
