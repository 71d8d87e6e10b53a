#include "pictures/builtin_icons.h"

#include "resources/embedded_files.h"

namespace quarbel {

std::string_view BuiltInIconGif(BuiltInIcon icon) {
  switch (icon) {
  case BuiltInIcon::Home: return EmbeddedFile("home.gif");
  case BuiltInIcon::Previous: return EmbeddedFile("previous.gif");
  case BuiltInIcon::Forward: return EmbeddedFile("forward.gif");
  case BuiltInIcon::Minus: return EmbeddedFile("minus.gif");
  case BuiltInIcon::Plus: return EmbeddedFile("plus.gif");
  }
  return {};
}

} // namespace quarbel
