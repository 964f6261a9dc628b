// The texture viewer as the user sees it: hidden at start, shown by the
// menu and the "Viewer" button, hidden by its close box with everything
// kept, kept above all windows on demand; the images of the shown material
// read from the texture folder by the name rule, BMP and TGA, the selected
// tab's image drawn unscaled at the top-left corner of the checkerboard,
// which shows through a colour-keyed diffuse image and one with alpha.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_bytes.h"
#include "editor/control_ids.h"
#include "editor_driver.h"
#include "model_bytes.h"
#include "ppm_picture.h"

namespace {

using namespace editor_driver;
using test_support::Picture;
using test_support::recordWithNames;
namespace fs = std::filesystem;

const std::vector<std::string> kShowViewer{"Просмотр", "Viewer"};
const std::vector<std::string> kViewerOnTop{"Просмотр", "Отображать viewer поверх всех окон"};

// Images of the test data with the sizes the tests tell apart, and the
// references an independent decoder made of them.
constexpr char kWide[] = "rgb24";          // 127 x 64
constexpr char kOtherWide[] = "pal8rle";   // 127 x 64
constexpr char kFlat[] = "pal8nonsquare";  // 127 x 32
constexpr char kSmall[] = "pal8w124";      // 124 x 61

// A 32-bit TGA image of 7 x 5 and the references of its colours and its
// alpha.
constexpr char kTga[] = "rgba32.tga";
constexpr char kTgaColors[] = "rgb.ppm";
constexpr char kTgaAlpha[] = "rgba32-alpha.ppm";

// What the line under the tabs says.
constexpr char kColorKeyLine[] = "Прозрачность: цветовой ключ (первый цвет палитры)";
constexpr char kImageAlphaLine[] = "Прозрачность: альфа-канал изображения";
constexpr char kOpaqueLine[] = "Прозрачность: нет";

fs::path testData() { return fs::path(windowsPath(SKIRVANE_TEST_DATA)); }

fs::path testImage(const std::string& name, const char* extension) {
    return testData() / "bmp" / "good" / (name + extension);
}

Picture readReference(const fs::path& file) {
    Picture picture = test_support::readPpm(file);
    if (picture.pixels.empty()) ADD_FAILURE() << "no reference picture " << file;
    return picture;
}
Picture reference(const std::string& image) { return readReference(testImage(image, ".ppm")); }

// The top byte of a pixel of the pictures drawn over the checkerboard says
// how far the checkerboard shows through: 0 not at all, 255 wholly.
constexpr std::uint32_t kClear = 0xFF000000;

// The colours of a reference with the opacity of a grey reference.
Picture withAlpha(Picture colors, const Picture& alpha) {
    for (std::size_t i = 0; i < colors.pixels.size() && i < alpha.pixels.size(); ++i)
        colors.pixels[i] |= (255 - (alpha.pixels[i] & 0xFF)) << 24;
    return colors;
}

// What the image area shows: the 8 x 8 checkerboard of white (top-left)
// and grey squares, with `image` over its top-left corner.
Picture imageAreaShowing(SIZE area, const Picture& image = {}) {
    Picture view{area.cx, area.cy, {}};
    for (int y = 0; y < area.cy; ++y) {
        for (int x = 0; x < area.cx; ++x) {
            const std::uint32_t board = (x / 8 + y / 8) % 2 == 0 ? 0xFFFFFF : 0xCCCCCC;
            const std::uint32_t pixel = x < image.width && y < image.height ? image.at(x, y) : kClear;
            const std::uint32_t through = pixel >> 24;
            std::uint32_t shown = 0;
            for (int shift = 0; shift < 24; shift += 8)
                shown |= (((pixel >> shift & 0xFF) * (255 - through) + (board >> shift & 0xFF) * through + 127) / 255)
                         << shift;
            view.pixels.push_back(shown);
        }
    }
    return view;
}

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(editor_.ready()) << "the main window or one of its controls did not come";
        viewer_ = findViewerControls(editor_.session().windowWithCaption("Viewer"));
        ASSERT_TRUE(viewer_.complete()) << "the viewer or one of its controls was not found";
    }
    void TearDown() override { parkPointer(); }

    // Puts a copy of a test image into a folder under a name of the test's.
    static bool copyImage(const std::string& image, const std::string& path) {
        std::error_code error;
        return fs::copy_file(testImage(image, ".bmp"), fromCp1251(path), error);
    }
    bool addTexture(const std::string& image, const std::string& name) {
        return copyImage(image, editor_.inTextureFolder(name));
    }

    // Opens a model of one material with these names.
    bool openMaterial(const std::string& reflection, const std::string& diffuse, const std::string& alpha) {
        return editor_.openModel(test_support::encodeModel({.records = {recordWithNames(reflection, diffuse, alpha)}}));
    }

    bool viewerShown() const { return IsWindowVisible(viewer_.window) != FALSE; }
    // Chooses "Viewer" in the menu; true once the viewer is at the front.
    bool showViewer() {
        return editor_.session().chooseMenuItem(kShowViewer) &&
               waitUntil([&] { return viewerShown() && GetForegroundWindow() == viewer_.window; });
    }
    // Clicks the viewer's close box; true once the viewer is hidden.
    bool closeViewer() {
        return showViewer() && clickCloseBox(viewer_.window) && waitUntil([&] { return !viewerShown(); });
    }
    bool clickTab(HWND tab) { return showViewer() && clickMiddle(tab) && editor_.waitForEarlierInput(); }

    // Types a name into a texture-name box of the main window, which the
    // viewer may cover, and presses Enter.
    bool enterName(HWND box, const std::string& name) {
        return bringToFront(editor_.session().mainWindow()) && editor_.enterText(box, name);
    }

    Bounds paintBox() const { return boundsInParent(viewer_.paintBox); }

    // Brings the viewer to the front and compares the image area with the
    // checkerboard under `image` until they agree, every channel within
    // `tolerance`, or the time is up; empty when they agree, else what
    // differs.
    std::string imageAreaDifferences(const Picture& image = {}, int tolerance = 0) {
        if (!showViewer()) return "the viewer did not come to the front";
        const Picture expected = imageAreaShowing(clientSize(viewer_.imageArea), image);
        std::string differences;
        waitUntil([&] {
            differences = test_support::pictureDifferences(screenPicture(viewer_.imageArea), expected, tolerance);
            return differences.empty();
        });
        return differences;
    }

    bool onTop() const { return (GetWindowLongW(viewer_.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    bool onTopMarked() { return editor_.session().menuItem(kViewerOnTop).value_or(MenuItem{}).checked; }

    EditorUser editor_{SKIRVANE_EXE};
    ViewerControls viewer_;
};

Bounds sizedTo(const Picture& image) { return {0, 0, image.width, image.height}; }

// --- showing and hiding ------------------------------------------------------------

TEST_F(ViewerTest, StartsHiddenAndShowsOnlyTheCheckerboardUntilAnImageIsLoaded) {
    EXPECT_FALSE(viewerShown());
    EXPECT_EQ(paintBox(), (Bounds{0, 0, 1, 1}));
    EXPECT_EQ(imageAreaDifferences(), "");
}

TEST_F(ViewerTest, MenuAndButtonShowItAgainAfterItsCloseBoxWithTabAndImagesKept) {
    ASSERT_TRUE(addTexture(kWide, "ENV.BMP"));
    ASSERT_TRUE(addTexture(kFlat, "DIFF.BMP"));
    ASSERT_TRUE(openMaterial("ENV.BMP", "DIFF.BMP", ""));
    ASSERT_TRUE(clickTab(viewer_.diffTab));
    ASSERT_EQ(imageAreaDifferences(reference(kFlat)), "");

    ASSERT_TRUE(closeViewer());
    EXPECT_TRUE(editor_.session().running());
    ASSERT_TRUE(clickMiddle(editor_.controls().viewerButton));
    EXPECT_TRUE(waitUntil([&] { return viewerShown(); })) << "the button did not show it";
    EXPECT_EQ(paintBox(), sizedTo(reference(kFlat)));
    EXPECT_EQ(imageAreaDifferences(reference(kFlat)), "");

    ASSERT_TRUE(closeViewer());
    EXPECT_EQ(imageAreaDifferences(reference(kFlat)), "") << "shown by the menu";
    ASSERT_TRUE(clickTab(viewer_.envTab));
    EXPECT_EQ(imageAreaDifferences(reference(kWide)), "");
}

TEST_F(ViewerTest, StayOnTopSwitchedOnWhileHiddenShowsTheViewerAboveAllWindows) {
    ASSERT_FALSE(onTopMarked());
    ASSERT_TRUE(editor_.session().chooseMenuItem(kViewerOnTop));
    EXPECT_TRUE(waitUntil([&] { return viewerShown() && onTop(); }));
    EXPECT_TRUE(onTopMarked());

    // Hidden and shown again, it keeps its band.
    ASSERT_TRUE(closeViewer());
    ASSERT_TRUE(showViewer());
    EXPECT_TRUE(onTop());

    ASSERT_TRUE(editor_.session().chooseMenuItem(kViewerOnTop));
    EXPECT_TRUE(waitUntil([&] { return !onTop(); }));
    EXPECT_FALSE(onTopMarked());
    EXPECT_TRUE(viewerShown());
}

// --- which names are read, and from where ---------------------------------------------

// Every file is there and loadable; only the name's ending decides, in any
// letter case, and each file is named in another letter case.
TEST_F(ViewerTest, BmpAndTgaNamesInAnyLetterCaseAreReadAndNoOthers) {
    ASSERT_TRUE(addTexture(kWide, "Env.Bmp"));
    std::error_code error;
    ASSERT_TRUE(fs::copy_file(testData() / "tga" / kTga, fromCp1251(editor_.inTextureFolder("diff.TGA")), error));
    ASSERT_TRUE(addTexture(kWide, "ALFA.DDS"));
    ASSERT_TRUE(openMaterial("ENV.bmp", "Diff.tga", "alfa.dds"));
    EXPECT_EQ(paintBox(), sizedTo(reference(kWide)));
    EXPECT_EQ(imageAreaDifferences(reference(kWide)), "");
    EXPECT_EQ(windowText(viewer_.transparencyLine), kOpaqueLine);
    // The image's alpha lets the checkerboard show through, the colours
    // already multiplied by it, may be off by one after rounding.
    ASSERT_TRUE(clickTab(viewer_.diffTab));
    const Picture tga =
        withAlpha(readReference(testData() / "tga" / kTgaColors), readReference(testData() / "tga" / kTgaAlpha));
    EXPECT_EQ(paintBox(), sizedTo(tga));
    EXPECT_EQ(imageAreaDifferences(tga, 1), "");
    EXPECT_EQ(windowText(viewer_.transparencyLine), kImageAlphaLine);
    ASSERT_TRUE(clickTab(viewer_.alfaTab));
    EXPECT_EQ(paintBox(), (Bounds{0, 0, 0, 0}));
    EXPECT_EQ(imageAreaDifferences(), "");
    EXPECT_EQ(windowText(viewer_.transparencyLine), "");
}

// The colour-key bit makes the pixels of the first palette colour of an
// 8-bit image clear; the panel's box switches it.
TEST_F(ViewerTest, ColorKeyShowsTheCheckerboardThroughTheFirstPaletteColour) {
    constexpr int kSide = 24;
    constexpr std::uint32_t kKey = 0xFF00FF, kColor = 0x2080C0;
    test_support::BmpBytes keyed;
    keyed.width = kSide;
    keyed.height = -kSide;  // the top line stored first
    keyed.palette = {kKey, kColor};
    Picture opaque{kSide, kSide, {}}, seeThrough{kSide, kSide, {}};
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool key = (x + 2 * y) % 5 < 2;
            opaque.pixels.push_back(key ? kKey : kColor);
            seeThrough.pixels.push_back(key ? kClear : kColor);
            keyed.pixels += static_cast<char>(key ? 0 : 1);
        }
    }
    std::ofstream(fs::path(fromCp1251(editor_.inTextureFolder("KEYED.BMP"))), std::ios::binary)
        << test_support::encodeBmp(keyed);
    test_support::RecordBytes record = recordWithNames("", "KEYED.BMP", "");
    record.flags |= 0x20000000;  // the colour key
    ASSERT_TRUE(editor_.openModel(test_support::encodeModel({.records = {record}})));

    ASSERT_TRUE(clickTab(viewer_.diffTab));
    EXPECT_EQ(imageAreaDifferences(seeThrough), "");
    EXPECT_EQ(windowText(viewer_.transparencyLine), kColorKeyLine);

    const HWND colorKeyBox = findControl(editor_.session().mainWindow(), editor::ColorTransparencyBoxId);
    ASSERT_TRUE(bringToFront(editor_.session().mainWindow()) && clickMiddle(colorKeyBox) &&
                editor_.waitForEarlierInput());
    EXPECT_EQ(imageAreaDifferences(opaque), "");
    EXPECT_EQ(windowText(viewer_.transparencyLine), kOpaqueLine);
}

// Files of the same name elsewhere, where a path without the folder would
// find them, are not read.
TEST_F(ViewerTest, ImageIsReadFromTheTextureFolderFollowedByTheName) {
    ASSERT_TRUE(addTexture(kWide, "WOOD.BMP"));
    ASSERT_TRUE(copyImage(kFlat, editor_.inUserFolder("WOOD.BMP")));
    ASSERT_TRUE(copyImage(kSmall, editor_.session().file("WOOD.BMP")));
    ASSERT_TRUE(openMaterial("WOOD.BMP", "", ""));
    EXPECT_EQ(paintBox(), sizedTo(reference(kWide)));
    EXPECT_EQ(imageAreaDifferences(reference(kWide)), "");
}

// --- the paint box and the tabs ------------------------------------------------------------

TEST_F(ViewerTest, ImageLoadedForAnotherTabKeepsThePaintBoxUntilThatTabIsSelected) {
    ASSERT_TRUE(addTexture(kWide, "ENV.BMP"));
    ASSERT_TRUE(addTexture(kFlat, "FLAT.BMP"));
    ASSERT_TRUE(openMaterial("ENV.BMP", "", ""));
    ASSERT_EQ(paintBox(), sizedTo(reference(kWide)));

    ASSERT_TRUE(enterName(editor_.controls().diffuseNameBox, "FLAT"));
    ASSERT_EQ(windowText(editor_.controls().diffuseNameBox), "FLAT.BMP");
    EXPECT_EQ(paintBox(), sizedTo(reference(kWide)));
    EXPECT_EQ(imageAreaDifferences(reference(kWide)), "");

    ASSERT_TRUE(clickTab(viewer_.diffTab));
    EXPECT_EQ(paintBox(), sizedTo(reference(kFlat)));
    EXPECT_EQ(imageAreaDifferences(reference(kFlat)), "");
}

TEST_F(ViewerTest, NameThatFailsForTheSelectedTabEmptiesTheView) {
    ASSERT_TRUE(addTexture(kWide, "ENV.BMP"));
    ASSERT_TRUE(openMaterial("ENV.BMP", "", ""));
    ASSERT_EQ(imageAreaDifferences(reference(kWide)), "");

    ASSERT_TRUE(enterName(editor_.controls().reflectionNameBox, "MISSING"));
    ASSERT_EQ(windowText(editor_.controls().reflectionNameBox), "MISSING.BMP");
    EXPECT_EQ(paintBox(), (Bounds{0, 0, 0, 0}));
    EXPECT_EQ(imageAreaDifferences(), "");
}

// The paint box keeps its size between them, and still the other image is
// drawn.
TEST_F(ViewerTest, EqualSizedImagesSwitchWithTheirTabs) {
    ASSERT_TRUE(addTexture(kWide, "ENV.BMP"));
    ASSERT_TRUE(addTexture(kOtherWide, "DIFF.BMP"));
    ASSERT_TRUE(openMaterial("ENV.BMP", "DIFF.BMP", ""));
    ASSERT_EQ(imageAreaDifferences(reference(kWide)), "");
    ASSERT_TRUE(clickTab(viewer_.diffTab));
    EXPECT_EQ(imageAreaDifferences(reference(kOtherWide)), "");
    ASSERT_TRUE(clickTab(viewer_.envTab));
    EXPECT_EQ(imageAreaDifferences(reference(kWide)), "");
}

TEST_F(ViewerTest, EachTabDrawsItsOwnImage) {
    ASSERT_TRUE(addTexture(kWide, "ENV.BMP"));
    ASSERT_TRUE(addTexture(kFlat, "DIFF.BMP"));
    ASSERT_TRUE(addTexture(kSmall, "ALFA.BMP"));
    ASSERT_TRUE(openMaterial("ENV.BMP", "DIFF.BMP", "ALFA.BMP"));
    EXPECT_EQ(imageAreaDifferences(reference(kWide)), "");
    ASSERT_TRUE(clickTab(viewer_.alfaTab));
    EXPECT_EQ(paintBox(), sizedTo(reference(kSmall)));
    EXPECT_EQ(imageAreaDifferences(reference(kSmall)), "");
    ASSERT_TRUE(clickTab(viewer_.diffTab));
    EXPECT_EQ(paintBox(), sizedTo(reference(kFlat)));
    EXPECT_EQ(imageAreaDifferences(reference(kFlat)), "");
}

}  // namespace
