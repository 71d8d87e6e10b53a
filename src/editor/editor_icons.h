#pragma once

#include <QIcon>

namespace quarbel {

// Pictures of the editor's tool buttons that the platform style does not offer, drawn so
// that they stay sharp at any scale.
enum class EditorIcon {
  Cut,
  Copy,
  Paste,
  SelectAll,
  Bold,
  Italic,
  Underline,
  AlignLeft,
  AlignCenter,
  AlignRight,
  ZoomIn,
  ZoomOut,
  Insert,
  Link,
  Font,
  Print,
  Find
};

QIcon EditorIconOf(EditorIcon icon);

} // namespace quarbel
