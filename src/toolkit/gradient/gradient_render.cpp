#include "toolkit/gradient/gradient_render.h"

#include <algorithm>
#include <optional>

#include "toolkit/gradient/gradient_services.h"
#include "toolkit/windows/control.h"

namespace toolkit::gradient_render {

using gradient::Pixel;
using gradient::pixelOf;

namespace {

// A 32-bit DIB section, top row first, selected into a memory context:
// the scratch surface for strips, gradients and corners.
class ScratchDib {
public:
    ScratchDib(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<Pixel*>(bits);
        if (bitmap_ != nullptr) dc_.emplace(bitmap_);
    }
    ~ScratchDib() {
        dc_.reset();
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
    }
    ScratchDib(const ScratchDib&) = delete;
    ScratchDib& operator=(const ScratchDib&) = delete;

    bool valid() const { return bits_ != nullptr && dc_.has_value(); }
    HDC dc() const { return dc_->get(); }
    gradient::PixelView view() const { return {bits_, width_, height_, width_}; }

private:
    int width_;
    int height_;
    HBITMAP bitmap_ = nullptr;
    Pixel* bits_ = nullptr;
    std::optional<BitmapDc> dc_;
};

void fillRect(HDC dc, const gradient::Rect& rect, COLORREF color) {
    if (rect.empty()) return;
    const RECT area = toRECT(rect);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

COLOR16 wideChannel(COLORREF color, int shift) { return static_cast<COLOR16>(((color >> shift) & 0xFF) << 8); }

TRIVERTEX vertex(int x, int y, COLORREF color) {
    return {x, y, wideChannel(color, 0), wideChannel(color, 8), wideChannel(color, 16), 0};
}

// One period of the gradient by the system's service: one rectangle per
// segment, between two vertices of the segment's colours.
void fillStripByService(const gradient_services::Services& services, const ScratchDib& strip,
                        const gradient::StripGeometry& geometry, COLORREF start, COLORREF end) {
    for (int s = 0; s < geometry.segmentCount; ++s) {
        const gradient::StripSegment& segment = geometry.segments[s];
        const COLORREF from = segment.reversed ? end : start;
        const COLORREF to = segment.reversed ? start : end;
        TRIVERTEX corners[2];
        if (geometry.vertical) {
            corners[0] = vertex(0, segment.from, from);
            corners[1] = vertex(geometry.width, segment.to, to);
        } else {
            corners[0] = vertex(segment.from, 0, from);
            corners[1] = vertex(segment.to, geometry.height, to);
        }
        GRADIENT_RECT mesh{0, 1};
        services.gradientFill(strip.dc(), corners, 2, &mesh, 1,
                              geometry.vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
    }
}

void drawGradient(HDC dc, const gradient::Rect& fill, std::uint8_t style, COLORREF start, COLORREF end) {
    const gradient::StripGeometry geometry = gradient::stripGeometry(style, fill.width(), fill.height());
    ScratchDib strip(geometry.width, geometry.height);
    ScratchDib area(fill.width(), fill.height());
    if (!strip.valid() || !area.valid()) {
        fillRect(dc, fill, start);
        return;
    }
    if (const gradient_services::Services* services = gradient_services::usable()) {
        fillStripByService(*services, strip, geometry, start, end);
        GdiFlush();
    } else {
        gradient::fillStripBands(strip.view(), geometry, pixelOf(start), pixelOf(end));
    }
    gradient::tileStrip(strip.view(), area.view(), geometry);
    BitBlt(dc, fill.left, fill.top, fill.width(), fill.height(), area.dc(), 0, 0, SRCCOPY);
}

// Assembles the fill's four corners into one square, rounds it and puts
// the quarters back.
void roundCorners(HDC dc, const gradient::Rect& fill, int cornerWidth, int cornerHeight, int borderWidth,
                  COLORREF outer, COLORREF border, bool smooth) {
    ScratchDib square(2 * cornerWidth, 2 * cornerHeight);
    if (!square.valid()) return;
    const auto pieces = gradient::cornerPieces(fill, cornerWidth, cornerHeight);
    for (const gradient::CornerPiece& piece : pieces)
        BitBlt(square.dc(), piece.inSquare.x, piece.inSquare.y, cornerWidth, cornerHeight, dc, piece.inFill.x,
               piece.inFill.y, SRCCOPY);
    GdiFlush();
    gradient::shapeCornerSquare(square.view(), pixelOf(outer), pixelOf(border), borderWidth, smooth);
    for (const gradient::CornerPiece& piece : pieces)
        BitBlt(dc, piece.inFill.x, piece.inFill.y, cornerWidth, cornerHeight, square.dc(), piece.inSquare.x,
               piece.inSquare.y, SRCCOPY);
}

// Where text `height` pixels high starts in a room from `top`.
int verticalStart(int top, int roomHeight, int height, VerticalAlignment alignment) {
    if (alignment == CentreVertically) return top + (roomHeight - height) / 2;
    if (alignment == AlignBottom) return top + roomHeight - height;
    return top;
}

// The caption, measured with word wrapping, cut to whole lines, placed by
// the alignments and drawn twice: its shadow first, then the text. Each line
// is laid out across the whole width of the room: glyphs may reach a pixel or
// two past the width their string measures, and a rectangle as narrow as the
// measure would cut them.
void drawCaption(HDC dc, const GradientLook& look, const RECT& content, const Caption& caption) {
    const int roomWidth = content.right - content.left;
    const int roomHeight = content.bottom - content.top;
    if (roomWidth <= 0 || roomHeight <= 0) return;
    HGDIOBJ previousFont = SelectObject(dc, caption.font);
    SetBkMode(dc, TRANSPARENT);
    const int length = static_cast<int>(caption.text.size());
    constexpr UINT kLayout = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
    RECT measured = content;
    DrawTextW(dc, caption.text.c_str(), length, &measured, kLayout | DT_CALCRECT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = std::max<int>(metrics.tmHeight, 1);
    int textHeight = measured.bottom - measured.top;
    // At least one line shows, even when the room is lower than a line.
    if (textHeight > roomHeight) textHeight = std::max(roomHeight / lineHeight, 1) * lineHeight;
    const int y = verticalStart(content.top, roomHeight, textHeight, caption.vertical);
    const UINT alignment = caption.horizontal == CentreHorizontally ? DT_CENTER
                           : caption.horizontal == AlignRightEdge   ? DT_RIGHT
                                                                    : DT_LEFT;
    const UINT flags = kLayout | DT_END_ELLIPSIS | alignment;
    RECT place{content.left, y, content.right, y + textHeight};
    RECT shadow = place;
    OffsetRect(&shadow, look.shadowOffset, look.shadowOffset);
    SetTextColor(dc, resolveColor(look.shadowColor));
    DrawTextW(dc, caption.text.c_str(), length, &shadow, flags);
    SetTextColor(dc, resolveColor(look.textColor));
    DrawTextW(dc, caption.text.c_str(), length, &place, flags);
    SelectObject(dc, previousFont);
}

// A border width as drawn: anything wider than the largest picture covers it.
int drawnWidth(std::uint32_t width) { return static_cast<int>(std::min<std::uint32_t>(width, 0x10000)); }

}  // namespace

BitmapDc::BitmapDc(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), previous_(SelectObject(dc_, bitmap)) {}

BitmapDc::~BitmapDc() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
}

void renderLook(HDC dc, const GradientLook& look, const LookLayout& layout, const Caption& caption,
                const LookOptions& options) {
    const gradient::Rect fill = toRect(layout.fill);
    const int cornerWidth = gradient::clampCorner(look.cornerWidth, fill.width());
    const int cornerHeight = gradient::clampCorner(look.cornerHeight, fill.height());
    const int borderWidth = drawnWidth(look.borderWidth);
    const COLORREF start = resolveColor(look.startColor);
    const COLORREF end = resolveColor(look.endColor);
    const COLORREF outer = resolveColor(look.outerColor);
    const COLORREF border = resolveColor(look.borderColor);
    if (!fill.empty()) {
        if (gradient::drawsGradient(look.gradientStyle, start, end))
            drawGradient(dc, fill, look.gradientStyle, start, end);
        else
            fillRect(dc, fill, start);
        for (const gradient::Rect& band : gradient::borderBands(fill, cornerWidth, cornerHeight, borderWidth))
            fillRect(dc, band, border);
    }
    for (const gradient::Rect& part : gradient::outsideRects(layout.width, layout.height, fill))
        fillRect(dc, part, outer);
    if (cornerWidth >= 1 && cornerHeight >= 1 && !fill.empty())
        roundCorners(dc, fill, cornerWidth, cornerHeight, borderWidth, outer, border, options.smoothCorners);
    if (options.outline) {
        const RECT whole{0, 0, layout.width, layout.height};
        HBRUSH brush = CreateSolidBrush(border);
        FrameRect(dc, &whole, brush);
        DeleteObject(brush);
    }
    if (!caption.text.empty()) drawCaption(dc, look, layout.content, caption);
}

void copyPicture(HDC target, Bitmap& picture, const RECT& area, const COLORREF* key) {
    RECT part;
    const RECT bounds{0, 0, picture.width(), picture.height()};
    if (!IntersectRect(&part, &area, &bounds)) return;
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    BitmapDc source(picture.handle());
    if (key == nullptr) {
        BitBlt(target, part.left, part.top, width, height, source.get(), part.left, part.top, SRCCOPY);
        return;
    }
    if (const gradient_services::Services* services = gradient_services::usable()) {
        services->transparentBlt(target, part.left, part.top, width, height, source.get(), part.left, part.top,
                                 width, height, *key);
        return;
    }
    // A mask that is white where the picture has the key colour; the
    // picture goes in through it: target ^ picture, & mask, ^ picture
    // leaves the target under white and the picture elsewhere.
    HDC maskDc = CreateCompatibleDC(target);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ previousMask = SelectObject(maskDc, mask);
    const COLORREF sourceBackground = SetBkColor(source.get(), *key);
    BitBlt(maskDc, 0, 0, width, height, source.get(), part.left, part.top, SRCCOPY);
    SetBkColor(source.get(), sourceBackground);
    const COLORREF text = SetTextColor(target, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(target, RGB(255, 255, 255));
    BitBlt(target, part.left, part.top, width, height, source.get(), part.left, part.top, SRCINVERT);
    BitBlt(target, part.left, part.top, width, height, maskDc, 0, 0, SRCAND);
    BitBlt(target, part.left, part.top, width, height, source.get(), part.left, part.top, SRCINVERT);
    SetTextColor(target, text);
    SetBkColor(target, background);
    SelectObject(maskDc, previousMask);
    DeleteObject(mask);
    DeleteDC(maskDc);
}

void paintCheckMark(HDC dc, const RECT& square, COLORREF color) {
    const gradient::Point origin = gradient::checkMarkOrigin(toRect(square));
    HBRUSH brush = CreateSolidBrush(color);
    for (const gradient::MarkSpan& span : gradient::checkMarkSpans()) {
        const RECT run{origin.x + span.from, origin.y + span.row, origin.x + span.to + 1, origin.y + span.row + 1};
        FillRect(dc, &run, brush);
    }
    DeleteObject(brush);
}

void paintRadioDot(HDC dc, const RECT& square, COLORREF color) {
    const int inset = (square.right - square.left) / 4;
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ previousBrush = SelectObject(dc, brush);
    HGDIOBJ previousPen = SelectObject(dc, GetStockObject(NULL_PEN));
    // Without a pen the ellipse leaves out its right and bottom edges.
    Ellipse(dc, square.left + inset, square.top + inset, square.right - inset + 1, square.bottom - inset + 1);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    DeleteObject(brush);
}

gradient::PixelView pixelView(Bitmap& bitmap) {
    std::uint8_t* top = bitmap.scanLine(0);
    const std::ptrdiff_t stride = bitmap.height() > 1 ? (bitmap.scanLine(1) - top) / 4 : bitmap.width();
    return {reinterpret_cast<Pixel*>(top), bitmap.width(), bitmap.height(), stride};
}

}  // namespace toolkit::gradient_render
