#pragma once

#include "pictures/rgb_image.h"
#include "widgets/picture_chooser.h"

#include <QImage>

namespace quarbel {

// The picture's pixels as 8-bit red, green and blue.
RgbImage RgbImageOf(const QImage& image);

// The chosen picture made to fit a `side` x `side` square, its proportions kept and turned
// the way its camera recorded (a phone's portrait photo stands upright). The result is
// written in the format its extension names: JPEG, GIF or BMP. A picture that already fits
// and needs no turning comes back as it was.
ChosenPicture FitPicture(const ChosenPicture& picture, int side);

} // namespace quarbel
