#pragma once

#include "canvas.h"

#include <string>

namespace datagen {

// The document type icons of the program folder (64 x 64): a sheet of paper with a
// coloured band naming the kind.
Canvas DocumentTypeIcon(const std::string& label, Rgba band);

// The program's own icon: an open book, drawn on a 128 x 128 grid and scaled to `size`
// pixels square (the program folder has it at 128; the desktop's icon theme at every size).
Canvas ApplicationIcon(int size = 128);

// The built-in textbook icons.
Canvas HomeIcon();              // 48 x 48
Canvas ArrowIcon(bool forward); // 32 x 32
Canvas ExpanderIcon(bool plus); // 10 x 10

} // namespace datagen
