// The arithmetic behind the gradient-styled controls, over plain pixel
// buffers and integers: gradient strips and their bands, corner shapes, the
// rectangle each kind of control fills, the check mark and the blend of two
// pictures. Nothing here needs a window, so all of it is tested on every
// platform; the Win32 code around it only moves pixels between these
// buffers and the system's bitmaps.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/gradient/gradient_transitions.h"

namespace toolkit::gradient {

// A pixel as a 32-bit device-independent bitmap holds it: blue in the low
// byte, then green, red and one unused byte.
using Pixel = std::uint32_t;

// The pixel of a colour value 0x00BBGGRR (red in the low byte).
constexpr Pixel pixelOf(std::uint32_t rgb) {
    return ((rgb & 0xFFU) << 16) | (rgb & 0xFF00U) | ((rgb >> 16) & 0xFFU);
}

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// Left and top inside, right and bottom outside, as the system's RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

// Rows of pixels that someone else owns: row y starts at top + y * stride
// (stride counted in pixels; negative for pictures stored bottom up).
struct PixelView {
    Pixel* top = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    Pixel* row(int y) const { return top + static_cast<std::ptrdiff_t>(y) * stride; }
    Pixel& at(int x, int y) const { return row(y)[x]; }
};

// Pixels in memory of their own, top row first.
class PixelImage {
public:
    PixelImage(int width, int height, Pixel fill = 0);
    PixelView view() { return {pixels_.data(), width_, height_, width_}; }
    int width() const { return width_; }
    int height() const { return height_; }
    Pixel at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

// --- gradients ---------------------------------------------------------------

enum GradientStyle : std::uint8_t {
    SolidStyle = 0,
    TopToBottom = 1,
    LeftToRight = 2,
    VerticalMirror = 3,    // start at the top and bottom, end in the middle
    HorizontalMirror = 4,  // start at the left and right, end in the middle
    DiagonalFromTopLeft = 5,
    DiagonalFromBottomLeft = 6,
};

// Whether a look is drawn as a gradient; otherwise it is a plain fill in
// its start colour (style 0, equal colours, or a style this code does not
// know).
bool drawsGradient(std::uint8_t style, Pixel start, Pixel end);

// Band k of a gradient drawn in n + 1 bands: start + (end - start) * k / n
// in each channel, the division truncated; the start colour when n is 0.
Pixel bandColor(Pixel start, Pixel end, std::int64_t k, std::int64_t n);

// One run of a strip: from `from` to `to` (outside) along the gradient,
// start colour to end colour, or end to start when reversed.
struct StripSegment {
    int from = 0;
    int to = 0;
    bool reversed = false;
};

// One period of a gradient over a fill rectangle, and how it is tiled.
// Copy i of the strip goes to (firstX + i * stepX, firstY + i * stepY) of
// the rectangle; the copies are clipped to it.
struct StripGeometry {
    int width = 0;
    int height = 0;
    bool vertical = false;  // the colour changes down the strip
    int bandCount = 0;      // n of the band drawing
    std::array<StripSegment, 2> segments{};
    int segmentCount = 0;
    int firstX = 0;
    int firstY = 0;
    int stepX = 0;
    int stepY = 0;
    int copies = 0;
};

// The strip of a style over a width x height rectangle: styles 1 and 3 a
// 32-pixel-wide column tiled across, 2 and 4 a 32-pixel-high row tiled
// down, the mirrors running start -> end -> start; 5 and 6 a row w + h long
// and h / 32 + 1 high (6 above a height of 191), copied once per its
// height, each copy shifted left (5) or, starting at -h, right (6), so that
// the colour follows x + y or x - y. No copies for a solid style or an
// empty rectangle.
StripGeometry stripGeometry(std::uint8_t style, int width, int height);

// Fills the strip (of the geometry's size) with the band drawing.
void fillStripBands(const PixelView& strip, const StripGeometry& geometry, Pixel start, Pixel end);

// Copies the strip over `area` as the geometry places it.
void tileStrip(const PixelView& strip, const PixelView& area, const StripGeometry& geometry);

// --- shape of a look -----------------------------------------------------------

// A corner radius for a side of the fill rectangle: the radius when the
// side is at least twice as long, else half the side rounded up.
int clampCorner(std::uint32_t radius, int side);

// The four border bands along the fill rectangle's edges (top, bottom,
// left, right), `width` thick, leaving the corner sizes free at each end.
std::array<Rect, 4> borderBands(const Rect& fill, int cornerWidth, int cornerHeight, int width);

// The parts of the client area outside the fill rectangle (above, below,
// left, right); empty ones where the fill reaches the edge.
std::array<Rect, 4> outsideRects(int clientWidth, int clientHeight, const Rect& fill);

// Where the four corner pieces (top left, top right, bottom left, bottom
// right) of the fill rectangle lie, and where each goes in the square of
// 2 * cornerWidth x 2 * cornerHeight that they are assembled into.
struct CornerPiece {
    Point inFill;
    Point inSquare;
};
std::array<CornerPiece, 4> cornerPieces(const Rect& fill, int cornerWidth, int cornerHeight);

// Rounds an assembled corner square: what lies outside its inscribed
// ellipse takes the outer colour, a ring `borderWidth` thick inside the
// ellipse's edge the border colour (no ring for 0). When smoothing, this is
// done at twice the resolution and averaged back over 2 x 2 pixels.
void shapeCornerSquare(const PixelView& square, Pixel outer, Pixel border, int borderWidth, bool smooth);

// Each pixel of `half` is the average of the 2 x 2 pixels of `full`
// (twice as wide and high) that it covers, rounded to nearest per channel.
void halveResolution(const PixelView& full, const PixelView& half);

// --- state rectangles --------------------------------------------------------------

// A check box's square: side min(client height, mark size) at x = 2,
// centred vertically.
Rect checkSquare(int clientWidth, int clientHeight, int markSize);

// A position held to 0 ... maximum (0 for a maximum below 0).
int clampPosition(int position, int maximum);

// What a progress bar fills: from x = 1 over (width - 2) * position /
// maximum pixels and the full height, or likewise from the bottom for a
// vertical bar; nothing below 3 pixels of length or for a maximum of 0.
Rect progressFill(int clientWidth, int clientHeight, int position, int maximum, bool vertical);

// --- check mark ----------------------------------------------------------------

constexpr int kCheckMarkWidth = 17;
constexpr int kCheckMarkHeight = 11;

// A run of pixels of the check mark: frame row, first and last column.
struct MarkSpan {
    int row;
    int from;
    int to;
};
std::span<const MarkSpan> checkMarkSpans();

// The top-left corner of the mark's frame for a check square: the square's
// centre less half the frame, the halves truncated.
Point checkMarkOrigin(const Rect& square);

// --- blend ----------------------------------------------------------------------

// The blend's progress runs from 0 (the source) to kFullProgress (the target).
// Blends `count` pixels channel by channel: (source * (64 - progress) +
// target * progress) / 64, truncated.
void blendRow(Pixel* out, const Pixel* source, const Pixel* target, int count, int progress);

// Blends the two pictures into `out` inside `area` (clipped to all three).
void blendArea(const PixelView& out, const PixelView& source, const PixelView& target, const Rect& area,
               int progress);

// --- the system ------------------------------------------------------------------

// The class of a system version as GetVersion reports it (major version in
// the low byte, minor in the next, the top bit set on the family of the
// 95 line): 0 to 3 for that family, 4 to 8 for the other.
int versionClass(std::uint32_t version);

// The system's gradient and transparent-copy services are used above class 2.
constexpr bool servicesUsable(int versionClass) { return versionClass > 2; }

// Cached pictures are 32-bit device-independent bitmaps below class 5 and
// for controls that react to the mouse (their pictures are blended);
// otherwise bitmaps compatible with the screen.
constexpr bool picturesDeviceIndependent(int versionClass, bool reactsToMouse) {
    return versionClass < 5 || reactsToMouse;
}

}  // namespace toolkit::gradient
