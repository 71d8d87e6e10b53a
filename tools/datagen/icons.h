#pragma once

#include "canvas.h"

#include <string>

namespace datagen {

// The document type icons of the program folder (64 x 64): a sheet of paper with a
// coloured band naming the kind.
Canvas DocumentTypeIcon(const std::string& label, Rgba band);

// The program's own icon (128 x 128): an open book.
Canvas ApplicationIcon();

// The built-in textbook icons.
Canvas HomeIcon();              // 48 x 48
Canvas ArrowIcon(bool forward); // 32 x 32
Canvas ExpanderIcon(bool plus); // 10 x 10

} // namespace datagen
