// A loaded bitmap as a picture the tests compare with a reference.
#pragma once

#include "ppm_picture.h"
#include "toolkit/bitmap/bitmap.h"

namespace bitmap_pictures {

// The colours of an 8-bit (through its palette), 24-bit or 32-bit bitmap;
// empty for any other format.
test_support::Picture colorsOf(toolkit::Bitmap& bitmap);
// The fourth byte of each pixel of a 32-bit bitmap as a grey.
test_support::Picture alphaOf(toolkit::Bitmap& bitmap);

}  // namespace bitmap_pictures
