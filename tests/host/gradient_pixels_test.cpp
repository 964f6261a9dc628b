// The arithmetic of the gradient-styled controls: gradient bands of each
// style, corner shapes, fill rectangles, the check mark's place and the
// blend.
#include "toolkit/gradient/gradient_pixels.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using namespace toolkit::gradient;

constexpr Pixel kBlack = 0x000000;
constexpr Pixel kWhite = 0xFFFFFF;

// A grey of that level in every channel.
constexpr Pixel grey(unsigned level) { return level << 16 | level << 8 | level; }

// A width x height area painted the way the band drawing paints a look.
PixelImage bandGradient(std::uint8_t style, int width, int height, Pixel start, Pixel end) {
    PixelImage area(width, height, 0xDEADBE);
    const StripGeometry geometry = stripGeometry(style, width, height);
    PixelImage strip(geometry.width, geometry.height, 0xDEADBE);
    fillStripBands(strip.view(), geometry, start, end);
    tileStrip(strip.view(), area.view(), geometry);
    return area;
}

unsigned channel(Pixel pixel, int index) { return (pixel >> (8 * index)) & 0xFF; }

// --- gradients ---------------------------------------------------------------

TEST(GradientBandTest, BandsStepByTruncatedIntegerDivisionInEachChannel) {
    EXPECT_EQ(bandColor(kBlack, kWhite, 0, 4), kBlack);
    EXPECT_EQ(bandColor(kBlack, kWhite, 1, 4), grey(63));
    EXPECT_EQ(bandColor(kBlack, kWhite, 3, 4), grey(191));
    EXPECT_EQ(bandColor(kBlack, kWhite, 4, 4), kWhite);
    // Falling channels truncate towards zero: 10 - 10 / 3 is 7, not 6.
    EXPECT_EQ(bandColor(10, 0, 1, 3), 7u);
    // Each channel on its own: red rises while blue falls.
    EXPECT_EQ(bandColor(0x0000FF, 0xFF0000, 1, 2), 0x7F0080u);
}

TEST(GradientBandTest, NoLengthGivesTheStartColour) { EXPECT_EQ(bandColor(0x123456, 0xABCDEF, 0, 0), 0x123456u); }

TEST(GradientBandTest, TopToBottomRunsDownEveryColumnAndNeverReachesTheEndColour) {
    const PixelImage area = bandGradient(TopToBottom, 70, 4, kBlack, kWhite);
    const Pixel expected[] = {kBlack, grey(63), grey(127), grey(191)};
    for (int y = 0; y < 4; ++y)
        for (int x : {0, 31, 32, 63, 64, 69}) EXPECT_EQ(area.at(x, y), expected[y]) << x << ", " << y;
}

TEST(GradientBandTest, LeftToRightRunsAcrossEveryRow) {
    const PixelImage area = bandGradient(LeftToRight, 5, 40, kBlack, grey(250));
    for (int y : {0, 31, 32, 39})
        for (int x = 0; x < 5; ++x) EXPECT_EQ(area.at(x, y), grey(50 * x)) << x << ", " << y;
}

TEST(GradientBandTest, VerticalMirrorReachesTheEndColourInTheMiddle) {
    // Six rows: halves of three, each in bands of 255 / 3.
    const PixelImage even = bandGradient(VerticalMirror, 40, 6, kBlack, kWhite);
    const Pixel evenRows[] = {kBlack, grey(85), grey(170), kWhite, grey(170), grey(85)};
    for (int y = 0; y < 6; ++y) EXPECT_EQ(even.at(35, y), evenRows[y]) << y;
    // Five rows: the lower half is one row longer and ends in the start colour.
    const PixelImage odd = bandGradient(VerticalMirror, 40, 5, kBlack, kWhite);
    const Pixel oddRows[] = {kBlack, grey(127), kWhite, grey(128), kBlack};
    for (int y = 0; y < 5; ++y) EXPECT_EQ(odd.at(3, y), oddRows[y]) << y;
}

TEST(GradientBandTest, HorizontalMirrorReachesTheEndColourInTheMiddle) {
    const PixelImage area = bandGradient(HorizontalMirror, 6, 33, kBlack, kWhite);
    const Pixel columns[] = {kBlack, grey(85), grey(170), kWhite, grey(170), grey(85)};
    for (int y : {0, 32})
        for (int x = 0; x < 6; ++x) EXPECT_EQ(area.at(x, y), columns[x]) << x << ", " << y;
}

TEST(GradientBandTest, OneRowMirrorIsTheStartColour) {
    const PixelImage area = bandGradient(VerticalMirror, 3, 1, 0x102030, kWhite);
    EXPECT_EQ(area.at(1, 0), 0x102030u);
}

TEST(GradientBandTest, DiagonalFromTopLeftFollowsXPlusY) {
    // Three rows are one strip row high: every pixel is band x + y of w + h.
    const PixelImage area = bandGradient(DiagonalFromTopLeft, 4, 3, kBlack, grey(140));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(area.at(x, y), grey(20 * (x + y))) << x << ", " << y;
}

TEST(GradientBandTest, DiagonalFromBottomLeftFollowsXMinusY) {
    const PixelImage area = bandGradient(DiagonalFromBottomLeft, 4, 3, kBlack, grey(140));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(area.at(x, y), grey(20 * (x - y + 3))) << x << ", " << y;
    // The bottom-left corner is nearest the start colour, the top right the end.
    EXPECT_LT(channel(area.at(0, 2), 0), channel(area.at(3, 0), 0));
}

TEST(GradientBandTest, DiagonalStripsGrowWithTheHeightUpToSixRows) {
    EXPECT_EQ(stripGeometry(DiagonalFromTopLeft, 10, 31).height, 1);
    EXPECT_EQ(stripGeometry(DiagonalFromTopLeft, 10, 32).height, 2);
    EXPECT_EQ(stripGeometry(DiagonalFromBottomLeft, 10, 100).height, 4);
    EXPECT_EQ(stripGeometry(DiagonalFromTopLeft, 10, 191).height, 6);
    EXPECT_EQ(stripGeometry(DiagonalFromTopLeft, 10, 192).height, 6);
    EXPECT_EQ(stripGeometry(DiagonalFromTopLeft, 10, 600).height, 6);
    EXPECT_EQ(stripGeometry(DiagonalFromTopLeft, 10, 600).width, 610);
}

TEST(GradientBandTest, TallDiagonalKeepsOneColourPerStripOfRows) {
    // 64 rows make strips of 3 rows: a pixel's band is x + y rounded down
    // to whole strips.
    const int width = 5, height = 64;
    const PixelImage area = bandGradient(DiagonalFromTopLeft, width, height, kBlack, grey(width + height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(area.at(x, y), grey(static_cast<unsigned>(x + y / 3 * 3))) << x << ", " << y;
}

TEST(GradientBandTest, EveryPixelOfEveryStyleIsPainted) {
    for (std::uint8_t style = TopToBottom; style <= DiagonalFromBottomLeft; ++style)
        for (int width : {1, 7, 33, 90})
            for (int height : {1, 5, 32, 200}) {
                const PixelImage area = bandGradient(style, width, height, 0x010101, 0x020202);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        ASSERT_NE(area.at(x, y), 0xDEADBEu)
                            << int(style) << " " << width << "x" << height << " at " << x << ", " << y;
            }
}

TEST(GradientBandTest, SolidStyleAndEqualColoursAreAPlainFill) {
    EXPECT_FALSE(drawsGradient(SolidStyle, kBlack, kWhite));
    for (std::uint8_t style = TopToBottom; style <= DiagonalFromBottomLeft; ++style) {
        EXPECT_TRUE(drawsGradient(style, kBlack, kWhite));
        EXPECT_FALSE(drawsGradient(style, 0x336699, 0x336699));
    }
    EXPECT_FALSE(drawsGradient(7, kBlack, kWhite));
    EXPECT_EQ(stripGeometry(SolidStyle, 10, 10).copies, 0);
    EXPECT_EQ(stripGeometry(TopToBottom, 0, 10).copies, 0);
}

// --- shape of a look -----------------------------------------------------------

TEST(LookShapeTest, CornerLargerThanHalfTheSideBecomesHalfTheSide) {
    EXPECT_EQ(clampCorner(4, 8), 4);
    EXPECT_EQ(clampCorner(5, 8), 4);
    EXPECT_EQ(clampCorner(25, 17), 9);
    EXPECT_EQ(clampCorner(0, 17), 0);
    EXPECT_EQ(clampCorner(0xFFFFFFFFU, 10), 5);
    EXPECT_EQ(clampCorner(3, 0), 0);
}

TEST(LookShapeTest, BorderBandsLeaveTheCornersFree) {
    const auto bands = borderBands(Rect{10, 20, 60, 40}, 4, 3, 2);
    EXPECT_EQ(bands[0], (Rect{14, 20, 56, 22}));
    EXPECT_EQ(bands[1], (Rect{14, 38, 56, 40}));
    EXPECT_EQ(bands[2], (Rect{10, 23, 12, 37}));
    EXPECT_EQ(bands[3], (Rect{58, 23, 60, 37}));
    for (const Rect& band : borderBands(Rect{10, 20, 60, 40}, 4, 3, 0)) EXPECT_TRUE(band.empty());
}

TEST(LookShapeTest, OutsideRectanglesCoverTheClientAroundTheFill) {
    const int width = 30, height = 20;
    const Rect fill{1, 0, 12, 20};
    std::vector<int> covered(width * height, 0);
    for (const Rect& part : outsideRects(width, height, fill))
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x) ++covered[y * width + x];
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool inFill = x >= fill.left && x < fill.right && y >= fill.top && y < fill.bottom;
            ASSERT_EQ(covered[y * width + x], inFill ? 0 : 1) << x << ", " << y;
        }
    const auto whole = outsideRects(width, height, Rect{});
    EXPECT_EQ(whole[0], (Rect{0, 0, width, height}));
}

TEST(LookShapeTest, CornerPiecesComeFromTheFillsCornersAndGoToTheSquaresQuarters) {
    const auto pieces = cornerPieces(Rect{10, 20, 60, 40}, 4, 3);
    EXPECT_EQ(pieces[0].inFill, (Point{10, 20}));
    EXPECT_EQ(pieces[1].inFill, (Point{56, 20}));
    EXPECT_EQ(pieces[2].inFill, (Point{10, 37}));
    EXPECT_EQ(pieces[3].inFill, (Point{56, 37}));
    EXPECT_EQ(pieces[3].inSquare, (Point{4, 3}));
}

TEST(LookShapeTest, CornerSquareTakesTheOuterColourOutsideItsEllipse) {
    PixelImage square(8, 8, kWhite);
    shapeCornerSquare(square.view(), kBlack, 0x0000FF, 0, false);
    EXPECT_EQ(square.at(0, 0), kBlack);
    EXPECT_EQ(square.at(7, 0), kBlack);
    EXPECT_EQ(square.at(0, 7), kBlack);
    EXPECT_EQ(square.at(7, 7), kBlack);
    EXPECT_EQ(square.at(3, 3), kWhite);
    EXPECT_EQ(square.at(4, 0), kWhite);  // the ellipse touches the edges' middles
    EXPECT_EQ(square.at(0, 4), kWhite);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(square.at(x, y), square.at(7 - x, y)) << x << ", " << y;
            EXPECT_EQ(square.at(x, y), square.at(x, 7 - y)) << x << ", " << y;
        }
}

TEST(LookShapeTest, CornerBorderIsARingAsThickAsTheBorderInsideTheEllipse) {
    PixelImage square(12, 12, kWhite);
    shapeCornerSquare(square.view(), kBlack, 0x0000FF, 2, false);
    EXPECT_EQ(square.at(6, 0), 0x0000FFu);
    EXPECT_EQ(square.at(6, 1), 0x0000FFu);
    EXPECT_EQ(square.at(6, 2), kWhite);
    EXPECT_EQ(square.at(11, 6), 0x0000FFu);
    EXPECT_EQ(square.at(9, 6), kWhite);
    EXPECT_EQ(square.at(0, 0), kBlack);
}

TEST(LookShapeTest, SmoothCornersMixTheColoursAlongTheCurve) {
    PixelImage sharp(16, 16, kWhite);
    PixelImage smooth(16, 16, kWhite);
    shapeCornerSquare(sharp.view(), kBlack, kBlack, 0, false);
    shapeCornerSquare(smooth.view(), kBlack, kBlack, 0, true);
    std::set<Pixel> sharpColours, smoothColours;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            sharpColours.insert(sharp.at(x, y));
            smoothColours.insert(smooth.at(x, y));
        }
    EXPECT_EQ(sharpColours, (std::set<Pixel>{kBlack, kWhite}));
    EXPECT_GT(smoothColours.size(), 2u);
    // Far from the curve both agree.
    EXPECT_EQ(smooth.at(0, 0), kBlack);
    EXPECT_EQ(smooth.at(8, 8), kWhite);
}

TEST(LookShapeTest, HalvingAveragesEachTwoByTwoBlockPerChannel) {
    PixelImage full(4, 2);
    const PixelView view = full.view();
    view.at(0, 0) = 0x00000000;
    view.at(1, 0) = 0x000000FF;
    view.at(0, 1) = 0x0000FF00;
    view.at(1, 1) = 0xFF0000FF;
    for (int x = 2; x < 4; ++x) view.at(x, 0) = view.at(x, 1) = 0x10203040;
    PixelImage half(2, 1);
    halveResolution(view, half.view());
    EXPECT_EQ(half.at(0, 0), 0x40004080u);  // 255 * 2 / 4 rounds to 128, 255 / 4 to 64
    EXPECT_EQ(half.at(1, 0), 0x10203040u);
}

// --- state rectangles --------------------------------------------------------------

TEST(StateRectangleTest, CheckSquareSitsAtTwoPixelsCentredVertically) {
    EXPECT_EQ(checkSquare(289, 21, 15), (Rect{2, 3, 17, 18}));
    EXPECT_EQ(checkSquare(289, 20, 12), (Rect{2, 4, 14, 16}));
    EXPECT_EQ(checkSquare(100, 9, 13), (Rect{2, 0, 11, 9}));  // no taller than the control
    EXPECT_TRUE(checkSquare(100, 20, -4).empty());
}

TEST(StateRectangleTest, ProgressFillGrowsFromTheLeftInsideTheOutline) {
    const int width = 185, height = 17;
    EXPECT_EQ(progressFill(width, height, 0, 100, false), (Rect{1, 0, 1, height}));
    EXPECT_EQ(progressFill(width, height, 50, 100, false), (Rect{1, 0, 1 + 91, height}));  // 183 * 50 / 100
    EXPECT_EQ(progressFill(width, height, 100, 100, false), (Rect{1, 0, width - 1, height}));
}

TEST(StateRectangleTest, ProgressFillIsHeldWithinTheBar) {
    const int width = 185, height = 17;
    EXPECT_EQ(progressFill(width, height, 250, 100, false), progressFill(width, height, 100, 100, false));
    EXPECT_EQ(progressFill(width, height, -20, 100, false), progressFill(width, height, 0, 100, false));
    EXPECT_EQ(clampPosition(250, 100), 100);
    EXPECT_EQ(clampPosition(-20, 100), 0);
    EXPECT_EQ(clampPosition(7, -5), 0);
}

TEST(StateRectangleTest, ProgressFillProductDoesNotOverflow) {
    // 1000 * 2^30 does not fit in 32 bits.
    EXPECT_EQ(progressFill(1002, 10, 1 << 30, 1 << 30, false).right, 1001);
    EXPECT_EQ(progressFill(1002, 10, 1 << 29, 1 << 30, false).right, 501);
}

TEST(StateRectangleTest, NothingIsFilledWithoutRoomOrRange) {
    EXPECT_TRUE(progressFill(2, 17, 50, 100, false).empty());
    EXPECT_TRUE(progressFill(185, 17, 50, 0, false).empty());
    EXPECT_FALSE(progressFill(3, 17, 100, 100, false).empty());
}

TEST(StateRectangleTest, VerticalProgressFillGrowsFromTheBottom) {
    EXPECT_EQ(progressFill(17, 102, 50, 100, true), (Rect{0, 101 - 50, 17, 101}));
    EXPECT_EQ(progressFill(17, 102, 100, 100, true), (Rect{0, 1, 17, 101}));
    EXPECT_TRUE(progressFill(17, 102, 0, 100, true).empty());
}

TEST(StateRectangleTest, CheckMarkFrameIsCentredOnItsSquareWithTruncatedHalves) {
    EXPECT_EQ(checkMarkOrigin(Rect{2, 3, 17, 18}), (Point{1, 5}));
    EXPECT_EQ(checkMarkOrigin(Rect{2, 4, 14, 16}), (Point{0, 4}));  // -1 / 2 is 0
    EXPECT_EQ(checkMarkOrigin(Rect{2, 0, 2, 0}), (Point{-6, -5}));   // an empty square still centres it
}

// --- blend ----------------------------------------------------------------------

TEST(BlendTest, EndsGiveTheSourceAndTheTarget) {
    const Pixel source[] = {0x12345678, 0xFFFFFFFF};
    const Pixel target[] = {0x9ABCDEF0, 0x00000000};
    Pixel out[2];
    blendRow(out, source, target, 2, 0);
    EXPECT_EQ(out[0], source[0]);
    EXPECT_EQ(out[1], source[1]);
    blendRow(out, source, target, 2, 64);
    EXPECT_EQ(out[0], target[0]);
    EXPECT_EQ(out[1], target[1]);
}

TEST(BlendTest, EveryChannelIsWeightedAndTruncated) {
    const Pixel source[] = {0xFF00FF00};
    const Pixel target[] = {0x00FF00FF};
    Pixel out[1];
    blendRow(out, source, target, 1, 13);
    // 255 * 51 / 64 = 203.2, 255 * 13 / 64 = 51.8
    EXPECT_EQ(out[0], 0xCB33CB33u);
}

TEST(BlendTest, AgreesWithTheFormulaOnEveryProgress) {
    std::vector<Pixel> source, target;
    for (unsigned a = 0; a < 256; a += 5)
        for (unsigned b = 0; b < 256; b += 7) {
            source.push_back(a | (255 - a) << 8 | b << 16 | (a ^ b) << 24);
            target.push_back(b | a << 8 | (255 - b) << 16 | ((a + b) & 0xFF) << 24);
        }
    std::vector<Pixel> out(source.size());
    for (int progress = 0; progress <= 64; ++progress) {
        blendRow(out.data(), source.data(), target.data(), static_cast<int>(out.size()), progress);
        for (std::size_t i = 0; i < out.size(); ++i)
            for (int c = 0; c < 4; ++c)
                ASSERT_EQ(channel(out[i], c),
                          (channel(source[i], c) * (64 - progress) + channel(target[i], c) * progress) / 64)
                    << progress << " " << i << " " << c;
    }
}

TEST(BlendTest, OnlyTheAreaIsBlended) {
    PixelImage out(6, 4, 0x111111), source(6, 4, kBlack), target(6, 4, kWhite);
    blendArea(out.view(), source.view(), target.view(), Rect{1, 1, 4, 3}, 32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
            EXPECT_EQ(out.at(x, y), inside ? grey(127) : 0x111111u) << x << ", " << y;
        }
    // An area beyond the pictures is clipped to them.
    blendArea(out.view(), source.view(), target.view(), Rect{-3, -3, 60, 60}, 64);
    EXPECT_EQ(out.at(0, 0), kWhite);
    EXPECT_EQ(out.at(5, 3), kWhite);
}

// --- the system ------------------------------------------------------------------

TEST(VersionClassTest, ClassesFollowTheSystemVersion) {
    constexpr std::uint32_t k95Line = 0x80000000;
    EXPECT_EQ(versionClass(k95Line | 0x0003), 0);     // 3.x
    EXPECT_EQ(versionClass(k95Line | 0x0004), 1);     // 95: 4.0
    EXPECT_EQ(versionClass(k95Line | 0x0A04), 2);     // 98: 4.10
    EXPECT_EQ(versionClass(k95Line | 0x5A04), 3);     // Me: 4.90
    EXPECT_EQ(versionClass(0x0004), 4);               // NT 4.0
    EXPECT_EQ(versionClass(0x0005), 5);               // 2000: 5.0
    EXPECT_EQ(versionClass(0x0105), 6);               // XP: 5.1
    EXPECT_EQ(versionClass(0x0205), 7);               // 2003: 5.2
    EXPECT_EQ(versionClass(0x0006), 8);               // Vista: 6.0
    EXPECT_EQ(versionClass(0x0106), 6);               // 7: 6.1 has minor 1
    EXPECT_EQ(versionClass(0x23F00206), 8);           // 8 and later report 6.2 with a build number
    EXPECT_FALSE(servicesUsable(2));
    EXPECT_TRUE(servicesUsable(3));
    EXPECT_TRUE(picturesDeviceIndependent(4, false));
    EXPECT_FALSE(picturesDeviceIndependent(8, false));
    EXPECT_TRUE(picturesDeviceIndependent(8, true));
}

}  // namespace
