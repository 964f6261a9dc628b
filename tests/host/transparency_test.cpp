// The pictures that draw an image's transparency: the colour key of an
// 8-bit BMP image and the alpha of a 32-bit TGA image.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "bitmap_pictures.h"
#include "bmp_bytes.h"
#include "core/object.h"
#include "model_bytes.h"
#include "ppm_picture.h"
#include "temp_folder.h"
#include "toolkit/bitmap/bitmap.h"
#include "toolkit/bitmap/transparency.h"

namespace {

using bitmap_pictures::alphaOf;
using bitmap_pictures::colorsOf;
using core::Ref;
using test_support::Picture;
using toolkit::Bitmap;
using toolkit::newTransparentPicture;
using toolkit::Transparency;

const std::filesystem::path kTgaData = std::filesystem::path(SKIRVANE_TEST_DATA) / "tga";

TEST(TransparentPictures, ColorKeyClearsThePixelsOfTheFirstPaletteEntry) {
    test_support::BmpBytes keyed;
    keyed.width = 3;
    keyed.height = 2;
    keyed.palette = {0xFF00FF, 0x112233, 0x445566};
    keyed.pixels = std::string("\1\0\2\0\0\2\1\0", 8);  // the bottom line first
    test_support::TempFolder folder;
    test_support::writeFileBytes(folder.file("keyed.bmp"), test_support::encodeBmp(keyed));
    Ref<Bitmap> image = core::create<Bitmap>();
    ASSERT_TRUE(image->loadFromFile(folder.file("keyed.bmp")));

    Ref<Bitmap> picture = newTransparentPicture(*image, Transparency::ColorKey);
    EXPECT_EQ(test_support::pictureDifferences(alphaOf(*picture),
                                               Picture{3, 2, {0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF}}, 0),
              "");
    EXPECT_EQ(test_support::pictureDifferences(colorsOf(*picture),
                                               Picture{3, 2, {0, 0x445566, 0x112233, 0x112233, 0, 0x445566}}, 0),
              "");
    EXPECT_TRUE(newTransparentPicture(*image, Transparency::ImageAlpha)->isEmpty());
    EXPECT_TRUE(newTransparentPicture(*image, Transparency::None)->isEmpty());
}

TEST(TransparentPictures, ImageAlphaKeepsTheOpacityAndMultipliesTheColoursByIt) {
    Ref<Bitmap> image = core::create<Bitmap>();
    ASSERT_TRUE(image->loadFromFile((kTgaData / "rgba32.tga").string(), core::ImageFormat::Tga));
    Ref<Bitmap> picture = newTransparentPicture(*image, Transparency::ImageAlpha);
    EXPECT_EQ(
        test_support::pictureDifferences(alphaOf(*picture), test_support::readPpm(kTgaData / "rgba32-alpha.ppm"), 0),
        "");
    const Picture colors = colorsOf(*picture);
    ASSERT_EQ(colors.pixels.size(), 35U);
    EXPECT_EQ(colors.at(0, 0), 0U) << "clear";
    EXPECT_EQ(colors.at(4, 0), 0xAA05DCU) << "opaque: as stored";
    EXPECT_EQ(colors.at(2, 0), 0x2D0350U) << "opacity 128 of 90, 5, 160";
    EXPECT_EQ(colors.at(6, 4), 0xC81E5AU) << "the opaque row";

    Ref<Bitmap> opaque = core::create<Bitmap>();
    ASSERT_TRUE(opaque->loadFromFile((kTgaData / "rgb24.tga").string(), core::ImageFormat::Tga));
    EXPECT_TRUE(newTransparentPicture(*opaque, Transparency::ImageAlpha)->isEmpty());
    EXPECT_TRUE(newTransparentPicture(*opaque, Transparency::ColorKey)->isEmpty());
}

}  // namespace
