// Drawing for the gradient-styled controls: one look into its picture, the
// copy of a picture onto the screen (whole or keyed on a colour), and the
// check mark and radio dot. The arithmetic lives in gradient_pixels.h; this
// moves pixels between its buffers and the system's bitmaps.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/bitmap/bitmap.h"
#include "toolkit/gradient/gradient_control.h"
#include "toolkit/gradient/gradient_pixels.h"

namespace toolkit::gradient_render {

// A memory device context with a bitmap selected into it while it lives.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap);
    ~BitmapDc();
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Where a look is drawn: the picture's size, the rectangle the look fills
// and the rectangle its caption stands in.
struct LookLayout {
    int width;
    int height;
    RECT fill;
    RECT content;
};

struct Caption {
    std::wstring text;  // empty: no caption
    HFONT font;
    VerticalAlignment vertical;
    HorizontalAlignment horizontal;
};

struct LookOptions {
    bool outline;        // a one-pixel frame around the picture in the border colour
    bool smoothCorners;  // corners shaped at twice the resolution
};

// Draws the look over the whole picture selected into `dc`.
void renderLook(HDC dc, const GradientLook& look, const LookLayout& layout, const Caption& caption,
                const LookOptions& options);

// Copies `area` of the picture to the same place of `target`; with a key,
// the picture's pixels of that colour leave the target as it was.
void copyPicture(HDC target, Bitmap& picture, const RECT& area, const COLORREF* key);

void paintCheckMark(HDC dc, const RECT& square, COLORREF color);
void paintRadioDot(HDC dc, const RECT& square, COLORREF color);

// The pixels of a 32-bit device-independent bitmap, top row first.
gradient::PixelView pixelView(Bitmap& bitmap);

inline gradient::Rect toRect(const RECT& rect) {
    return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
            static_cast<int>(rect.bottom)};
}
inline RECT toRECT(const gradient::Rect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace toolkit::gradient_render
