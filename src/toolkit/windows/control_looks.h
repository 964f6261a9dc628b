// How a control looks: its background colour or brush bitmap, its font
// and its pointer, with the system objects made from them when first
// needed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace toolkit {

class Control;

// 0x00BBGGRR; a value with the top bit set names the system colour whose
// index is in the low byte.
using Color = std::uint32_t;
constexpr Color kSystemColor = 0x80000000;
constexpr Color kWindowTextColor = kSystemColor | COLOR_WINDOWTEXT;
constexpr Color kButtonFaceColor = kSystemColor | COLOR_BTNFACE;
COLORREF resolveColor(Color color);

enum FontStyle : unsigned { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

struct Font {
    static constexpr std::size_t kMaxFaceLength = 31;
    std::string face = "MS Sans Serif";
    int height = 0;  // pixels; 0 is the system's default size
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    Color color = kWindowTextColor;
};

// A font, brush or bitmap of the system, deleted with its owner.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

// The looks part of every control (a base of Control); its setters return
// the control, so that they chain with the others.
class ControlLooks {
public:
    Control& setBackgroundColor(Color color);
    Color backgroundColor() const { return background_; }
    Font& font() { return font_; }
    Control& setFontHeight(int height);
    Control& setFontFace(const std::string& face);
    Control& setFontStyle(unsigned style);
    Control& setFontColor(Color color);
    // Tiles the background with the bitmap, which the control then owns.
    Control& setBrushBitmap(HBITMAP bitmap);
    Control& setCursor(HCURSOR cursor);
    // Fills `rect` of `dc` with the background's brush, a pattern tiling
    // from the top-left corner of the device context's viewport.
    void fillBackground(HDC dc, const RECT& rect);

protected:
    // A new control takes its parent's colour, font and pointer, and a copy
    // of its brush bitmap.
    explicit ControlLooks(const ControlLooks* parent);
    ~ControlLooks() = default;
    ControlLooks(const ControlLooks&) = delete;
    ControlLooks& operator=(const ControlLooks&) = delete;

    // Native windows that keep their own background get it here.
    virtual void backgroundChanged() {}
    // Gives the window the font as it is now.
    void applyFont();
    // The system font made from font(), made when first asked for.
    HFONT fontHandle();
    // The brush the background is filled with: the bitmap's pattern, or
    // the colour.
    HBRUSH brush();
    HCURSOR cursor() const { return cursor_; }

private:
    Control& control();

    Color background_ = kButtonFaceColor;
    Font font_;
    HCURSOR cursor_ = nullptr;
    GdiObject<HBITMAP> brushBitmap_;
    GdiObject<HBRUSH> brush_;
    GdiObject<HFONT> fontHandle_;
};

}  // namespace toolkit
