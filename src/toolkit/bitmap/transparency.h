// How an image lets what lies behind it show through, and the picture that
// draws it so.
#pragma once

#include <cstdint>

#include "core/object.h"
#include "toolkit/bitmap/bitmap.h"

namespace toolkit {

enum class Transparency : std::uint8_t {
    None,        // every pixel is opaque
    ColorKey,    // the pixels of an 8-bit image's first palette entry are clear, the others opaque
    ImageAlpha,  // the fourth byte of each pixel of a 32-bit image is its opacity
};

// The image as a 32-bit picture for Bitmap::drawBlended: each pixel's
// opacity by the rule in its fourth byte (0 clear, 255 opaque), its colour
// multiplied by that opacity, lines stored bottom first. Empty when the rule
// is None, when the image is not of the rule's kind (8 bits for ColorKey,
// 32 bits without bit fields for ImageAlpha) and when the picture would be
// larger than the size limits allow.
core::Ref<Bitmap> newTransparentPicture(Bitmap& image, Transparency rule);

}  // namespace toolkit
