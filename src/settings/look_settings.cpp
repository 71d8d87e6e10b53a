#include "settings/look_settings.h"

#include "text/error.h"
#include "text/file_bytes.h"

#include <array>
#include <cstdio>

namespace quarbel {
namespace {

namespace fs = std::filesystem;

const char* const kSection = "Look";
const std::array<const char*, kIconCount> kIconNames = {"Home", "Previous", "Forward", "Minus",
                                                        "Plus"};

std::string IconKey(int slot) {
  return std::string(kIconNames[static_cast<size_t>(slot)]) + "Icon";
}

fs::path IconFile(const fs::path& img, int slot, const std::string& extension) {
  return img / ("Icon-" + std::string(kIconNames[static_cast<size_t>(slot)]) + extension);
}

std::string ColourText(RgbColor colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.r, colour.g, colour.b);
  return text;
}

std::optional<RgbColor> ParseColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#')
    return std::nullopt;
  std::array<std::uint8_t, 3> parts{};
  for (size_t i = 0; i < 3; ++i) {
    unsigned value = 0;
    for (size_t j = 1 + 2 * i; j < 3 + 2 * i; ++j) {
      const char c = text[j];
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0)
        return std::nullopt;
      value = value * 16 + static_cast<unsigned>(digit);
    }
    parts[i] = static_cast<std::uint8_t>(value);
  }
  return RgbColor{parts[0], parts[1], parts[2]};
}

// An extension as the program itself names icon pictures: a dot and a few letters or digits.
bool PlainExtension(const std::string& extension) {
  if (extension.size() < 2 || extension.size() > 6 || extension[0] != '.')
    return false;
  for (size_t i = 1; i < extension.size(); ++i) {
    const char c = extension[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
      return false;
  }
  return true;
}

struct ColourKey {
  const char* key;
  RgbColor StyleChoice::*colour;
};
const std::array<ColourKey, 3> kColours = {{{"MenuColour", &StyleChoice::menuColour},
                                            {"PageColour", &StyleChoice::pageColour},
                                            {"RuleColour", &StyleChoice::ruleColour}}};

} // namespace

std::optional<StyleChoice> ReadLook(const IniFile& ini, const fs::path& img) {
  if (!ini.Read(kSection, "DefaultStyle"))
    return std::nullopt;
  StyleChoice look;
  look.defaultStyle = ini.ReadBool(kSection, "DefaultStyle", false);
  // Only a bare file name: the style sheet lives in the Styles folder.
  const std::string styleFile = ini.ReadString(kSection, "StyleFile");
  if (styleFile.find_first_of("/\\") == std::string::npos && styleFile != "." && styleFile != "..")
    look.styleFile = styleFile;
  for (const ColourKey& key : kColours) {
    if (const auto colour = ParseColour(ini.ReadString(kSection, key.key)))
      look.*key.colour = *colour;
  }
  look.navigation = ini.ReadBool(kSection, "Navigation", true);
  for (int slot = 0; slot < kIconCount; ++slot) {
    const std::string extension = ini.ReadString(kSection, IconKey(slot));
    if (!PlainExtension(extension))
      continue;
    try {
      std::string bytes = ReadFileBytes(IconFile(img, slot, extension));
      if (!bytes.empty())
        look.icons[static_cast<size_t>(slot)] = {std::move(bytes), extension};
    } catch (const Error&) {
      // A picture that is gone leaves the built-in icon.
    }
  }
  return look;
}

void WriteLook(IniFile& ini, const StyleChoice& look) {
  ini.WriteBool(kSection, "DefaultStyle", look.defaultStyle);
  ini.Write(kSection, "StyleFile", look.defaultStyle ? std::string() : look.styleFile);
  for (const ColourKey& key : kColours)
    ini.Write(kSection, key.key, ColourText(look.*key.colour));
  ini.WriteBool(kSection, "Navigation", look.navigation);
  for (int slot = 0; slot < kIconCount; ++slot) {
    const IconPicture& icon = look.icons[static_cast<size_t>(slot)];
    const bool stored = !icon.bytes.empty() && PlainExtension(icon.extension);
    ini.Write(kSection, IconKey(slot), stored ? icon.extension : std::string());
  }
}

void StoreLookPictures(const StyleChoice& look, const fs::path& img) {
  std::error_code error;
  fs::create_directories(img, error);
  for (int slot = 0; slot < kIconCount; ++slot) {
    const IconPicture& icon = look.icons[static_cast<size_t>(slot)];
    const bool stored = !icon.bytes.empty() && PlainExtension(icon.extension);
    // Earlier pictures of this icon go: another extension, or the icon is built-in now.
    const std::string prefix = "Icon-" + std::string(kIconNames[static_cast<size_t>(slot)]) + ".";
    for (fs::directory_iterator it(img, error), end; !error && it != end; it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (name.rfind(prefix, 0) == 0 && (!stored || name != prefix + icon.extension.substr(1)))
        fs::remove(it->path(), error);
    }
    if (stored)
      WriteFileBytes(IconFile(img, slot, icon.extension), icon.bytes);
  }
}

} // namespace quarbel
