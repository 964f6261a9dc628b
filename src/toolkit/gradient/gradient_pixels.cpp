#include "toolkit/gradient/gradient_pixels.h"

#include <algorithm>
#include <cstring>

namespace toolkit::gradient {

namespace {

constexpr int kStripPeriod = 32;
// Above this height a diagonal strip stays 6 rows high.
constexpr int kTallestGrowingStrip = 191;
constexpr int kDiagonalStripMaxRows = 6;

int ceilDivide(int value, int divisor) { return (value + divisor - 1) / divisor; }

// Whether the centre of pixel (x, y) of a width x height area lies outside
// the ellipse inscribed in it, shrunk by `inset` pixels on every side.
bool outsideEllipse(int x, int y, int width, int height, int inset) {
    const double a = width / 2.0 - inset;
    const double b = height / 2.0 - inset;
    if (a <= 0 || b <= 0) return true;
    const double u = (x + 0.5 - width / 2.0) / a;
    const double v = (y + 0.5 - height / 2.0) / b;
    return u * u + v * v > 1.0;
}

void shapeSquare(const PixelView& square, Pixel outer, Pixel border, int borderWidth) {
    for (int y = 0; y < square.height; ++y) {
        Pixel* row = square.row(y);
        for (int x = 0; x < square.width; ++x) {
            if (outsideEllipse(x, y, square.width, square.height, 0))
                row[x] = outer;
            else if (borderWidth > 0 && outsideEllipse(x, y, square.width, square.height, borderWidth))
                row[x] = border;
        }
    }
}

}  // namespace

PixelImage::PixelImage(int width, int height, Pixel fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

// --- gradients ---------------------------------------------------------------

bool drawsGradient(std::uint8_t style, Pixel start, Pixel end) {
    return start != end && style >= TopToBottom && style <= DiagonalFromBottomLeft;
}

Pixel bandColor(Pixel start, Pixel end, std::int64_t k, std::int64_t n) {
    if (n <= 0) return start;
    Pixel color = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::int64_t from = (start >> shift) & 0xFF;
        const std::int64_t to = (end >> shift) & 0xFF;
        color |= static_cast<Pixel>(from + (to - from) * k / n) << shift;
    }
    return color;
}

StripGeometry stripGeometry(std::uint8_t style, int width, int height) {
    StripGeometry strip;
    if (width <= 0 || height <= 0) return strip;
    int length = 0;
    switch (style) {
        case TopToBottom:
        case VerticalMirror:
            strip.width = kStripPeriod;
            strip.height = length = height;
            strip.vertical = true;
            strip.stepX = kStripPeriod;
            strip.copies = ceilDivide(width, kStripPeriod);
            break;
        case LeftToRight:
        case HorizontalMirror:
            strip.width = length = width;
            strip.height = kStripPeriod;
            strip.stepY = kStripPeriod;
            strip.copies = ceilDivide(height, kStripPeriod);
            break;
        case DiagonalFromTopLeft:
        case DiagonalFromBottomLeft: {
            const int rows = height > kTallestGrowingStrip ? kDiagonalStripMaxRows : height / kStripPeriod + 1;
            strip.width = length = width + height;
            strip.height = rows;
            strip.firstX = style == DiagonalFromTopLeft ? 0 : -height;
            strip.stepX = style == DiagonalFromTopLeft ? -rows : rows;
            strip.stepY = rows;
            strip.copies = ceilDivide(height, rows);
            break;
        }
        default:
            return strip;
    }
    if (style == VerticalMirror || style == HorizontalMirror) {
        const int half = length / 2;
        strip.bandCount = half;
        strip.segments = {StripSegment{0, half, false}, StripSegment{half, length, true}};
        strip.segmentCount = 2;
    } else {
        strip.bandCount = length;
        strip.segments[0] = {0, length, false};
        strip.segmentCount = 1;
    }
    return strip;
}

void fillStripBands(const PixelView& strip, const StripGeometry& geometry, Pixel start, Pixel end) {
    if (geometry.bandCount == 0) {
        // A mirror one pixel long: its single band has the start colour.
        for (int y = 0; y < strip.height; ++y) std::fill_n(strip.row(y), strip.width, start);
        return;
    }
    for (int s = 0; s < geometry.segmentCount; ++s) {
        const StripSegment& segment = geometry.segments[s];
        const Pixel from = segment.reversed ? end : start;
        const Pixel to = segment.reversed ? start : end;
        for (int at = segment.from; at < segment.to; ++at) {
            const Pixel color = bandColor(from, to, at - segment.from, geometry.bandCount);
            if (geometry.vertical) {
                if (at >= strip.height) break;
                std::fill_n(strip.row(at), strip.width, color);
            } else {
                if (at >= strip.width) break;
                for (int y = 0; y < strip.height; ++y) strip.at(at, y) = color;
            }
        }
    }
}

void tileStrip(const PixelView& strip, const PixelView& area, const StripGeometry& geometry) {
    const int width = std::min(strip.width, geometry.width);
    const int height = std::min(strip.height, geometry.height);
    for (int copy = 0; copy < geometry.copies; ++copy) {
        const int originX = geometry.firstX + copy * geometry.stepX;
        const int originY = geometry.firstY + copy * geometry.stepY;
        const int left = std::max(originX, 0);
        const int right = std::min(originX + width, area.width);
        if (left >= right) continue;
        const int bottom = std::min(originY + height, area.height);
        for (int y = std::max(originY, 0); y < bottom; ++y)
            std::memcpy(area.row(y) + left, strip.row(y - originY) + (left - originX),
                        static_cast<std::size_t>(right - left) * sizeof(Pixel));
    }
}

// --- shape of a look -----------------------------------------------------------

int clampCorner(std::uint32_t radius, int side) {
    if (side <= 0) return 0;
    if (2 * static_cast<std::uint64_t>(radius) <= static_cast<std::uint64_t>(side)) return static_cast<int>(radius);
    return (side + 1) / 2;
}

std::array<Rect, 4> borderBands(const Rect& fill, int cornerWidth, int cornerHeight, int width) {
    if (width <= 0 || fill.empty()) return {};
    return {
        Rect{fill.left + cornerWidth, fill.top, fill.right - cornerWidth, fill.top + width},
        Rect{fill.left + cornerWidth, fill.bottom - width, fill.right - cornerWidth, fill.bottom},
        Rect{fill.left, fill.top + cornerHeight, fill.left + width, fill.bottom - cornerHeight},
        Rect{fill.right - width, fill.top + cornerHeight, fill.right, fill.bottom - cornerHeight},
    };
}

std::array<Rect, 4> outsideRects(int clientWidth, int clientHeight, const Rect& fill) {
    if (fill.empty()) return {Rect{0, 0, clientWidth, clientHeight}, Rect{}, Rect{}, Rect{}};
    return {
        Rect{0, 0, clientWidth, fill.top},
        Rect{0, fill.bottom, clientWidth, clientHeight},
        Rect{0, fill.top, fill.left, fill.bottom},
        Rect{fill.right, fill.top, clientWidth, fill.bottom},
    };
}

std::array<CornerPiece, 4> cornerPieces(const Rect& fill, int cornerWidth, int cornerHeight) {
    const int right = fill.right - cornerWidth;
    const int bottom = fill.bottom - cornerHeight;
    return {
        CornerPiece{{fill.left, fill.top}, {0, 0}},
        CornerPiece{{right, fill.top}, {cornerWidth, 0}},
        CornerPiece{{fill.left, bottom}, {0, cornerHeight}},
        CornerPiece{{right, bottom}, {cornerWidth, cornerHeight}},
    };
}

void shapeCornerSquare(const PixelView& square, Pixel outer, Pixel border, int borderWidth, bool smooth) {
    if (square.width <= 0 || square.height <= 0) return;
    if (!smooth) {
        shapeSquare(square, outer, border, borderWidth);
        return;
    }
    PixelImage full(square.width * 2, square.height * 2);
    const PixelView fullView = full.view();
    for (int y = 0; y < fullView.height; ++y)
        for (int x = 0; x < fullView.width; ++x) fullView.at(x, y) = square.at(x / 2, y / 2);
    shapeSquare(fullView, outer, border, borderWidth * 2);
    halveResolution(fullView, square);
}

void halveResolution(const PixelView& full, const PixelView& half) {
    for (int y = 0; y < half.height; ++y) {
        const Pixel* upper = full.row(2 * y);
        const Pixel* lower = full.row(2 * y + 1);
        Pixel* out = half.row(y);
        for (int x = 0; x < half.width; ++x) {
            const Pixel quad[4] = {upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]};
            Pixel color = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                unsigned sum = 2;
                for (Pixel p : quad) sum += (p >> shift) & 0xFF;
                color |= static_cast<Pixel>(sum / 4) << shift;
            }
            out[x] = color;
        }
    }
}

// --- state rectangles --------------------------------------------------------------

Rect checkSquare(int /*clientWidth*/, int clientHeight, int markSize) {
    constexpr int kLeft = 2;
    const int side = std::max(0, std::min(clientHeight, markSize));
    const int top = (clientHeight - side) / 2;
    return {kLeft, top, kLeft + side, top + side};
}

int clampPosition(int position, int maximum) { return std::max(0, std::min(position, maximum)); }

Rect progressFill(int clientWidth, int clientHeight, int position, int maximum, bool vertical) {
    const int length = vertical ? clientHeight : clientWidth;
    if (length < 3 || maximum <= 0) return {};
    const auto filled = static_cast<int>(static_cast<std::int64_t>(length - 2) * clampPosition(position, maximum) /
                                         maximum);
    if (vertical) return {0, clientHeight - 1 - filled, clientWidth, clientHeight - 1};
    return {1, 0, 1 + filled, clientHeight};
}

// --- check mark ----------------------------------------------------------------

std::span<const MarkSpan> checkMarkSpans() {
    static constexpr MarkSpan kSpans[] = {
        {0, 15, 15}, {1, 14, 15}, {2, 13, 15}, {3, 12, 14}, {4, 4, 4},  {4, 11, 13}, {5, 3, 5},
        {5, 10, 12}, {6, 4, 6},   {6, 9, 11},  {7, 5, 10},  {8, 6, 9},  {9, 7, 8},
    };
    return kSpans;
}

Point checkMarkOrigin(const Rect& square) {
    return {(square.left + square.right - kCheckMarkWidth) / 2, (square.top + square.bottom - kCheckMarkHeight) / 2};
}

// --- blend ----------------------------------------------------------------------

void blendRow(Pixel* out, const Pixel* source, const Pixel* target, int count, int progress) {
    // Two channels per 32-bit word, one in each 16-bit half: the sums stay
    // below 255 * 64, so no half carries into the other.
    const auto sourceWeight = static_cast<std::uint32_t>(kFullProgress - progress);
    const auto targetWeight = static_cast<std::uint32_t>(progress);
    constexpr std::uint32_t kEvenChannels = 0x00FF00FFU;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t s = source[i];
        const std::uint32_t t = target[i];
        const std::uint32_t even = ((s & kEvenChannels) * sourceWeight + (t & kEvenChannels) * targetWeight) >> 6;
        const std::uint32_t odd =
            (((s >> 8) & kEvenChannels) * sourceWeight + ((t >> 8) & kEvenChannels) * targetWeight) >> 6;
        out[i] = (even & kEvenChannels) | ((odd & kEvenChannels) << 8);
    }
}

void blendArea(const PixelView& out, const PixelView& source, const PixelView& target, const Rect& area,
               int progress) {
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min({area.right, out.width, source.width, target.width});
    const int bottom = std::min({area.bottom, out.height, source.height, target.height});
    if (left >= right) return;
    const int p = std::clamp(progress, 0, kFullProgress);
    for (int y = top; y < bottom; ++y)
        blendRow(out.row(y) + left, source.row(y) + left, target.row(y) + left, right - left, p);
}

// --- the system ------------------------------------------------------------------

int versionClass(std::uint32_t version) {
    const std::uint32_t major = version & 0xFF;
    const std::uint32_t minor = (version >> 8) & 0xFF;
    const std::uint32_t combined = major * 256 + minor;
    if ((version & 0x80000000U) != 0) {
        if (major < 4) return 0;
        if (combined < 0x040A) return 1;
        if (combined < 0x045A) return 2;
        return 3;
    }
    if (major < 5) return 4;
    if (combined <= 0x0500) return 5;
    if (minor == 1) return 6;
    if (major < 6) return 7;
    return 8;
}

}  // namespace toolkit::gradient
