#include "toolkit/windows/control_looks.h"

#include <utility>

#include "core/code_page.h"
#include "toolkit/windows/control.h"

namespace toolkit {

COLORREF resolveColor(Color color) {
    if ((color & kSystemColor) != 0) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

ControlLooks::ControlLooks(const ControlLooks* parent) {
    if (parent == nullptr) return;
    background_ = parent->background_;
    font_ = parent->font_;
    cursor_ = parent->cursor_;
    if (parent->brushBitmap_)
        brushBitmap_.reset(static_cast<HBITMAP>(CopyImage(parent->brushBitmap_.get(), IMAGE_BITMAP, 0, 0, 0)));
}

Control& ControlLooks::control() { return static_cast<Control&>(*this); }

Control& ControlLooks::setBackgroundColor(Color color) {
    background_ = color;
    brush_.reset();
    backgroundChanged();
    control().invalidate();
    return control();
}

Control& ControlLooks::setFontHeight(int height) {
    font_.height = height;
    applyFont();
    return control();
}

Control& ControlLooks::setFontFace(const std::string& face) {
    font_.face = face.substr(0, Font::kMaxFaceLength);
    applyFont();
    return control();
}

Control& ControlLooks::setFontStyle(unsigned style) {
    font_.weight = (style & Bold) != 0 ? FW_BOLD : FW_NORMAL;
    font_.italic = (style & Italic) != 0;
    font_.underline = (style & Underline) != 0;
    font_.strikeOut = (style & StrikeOut) != 0;
    applyFont();
    return control();
}

Control& ControlLooks::setFontColor(Color color) {
    font_.color = color;
    control().invalidate();
    return control();
}

Control& ControlLooks::setBrushBitmap(HBITMAP bitmap) {
    brushBitmap_.reset(bitmap);
    brush_.reset();
    control().invalidate();
    return control();
}

Control& ControlLooks::setCursor(HCURSOR cursor) {
    cursor_ = cursor;
    return control();
}

void ControlLooks::applyFont() {
    // The window lets go of the old font before it is deleted.
    const GdiObject<HFONT> old = std::move(fontHandle_);
    if (HWND window = control().handle()) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle()), TRUE);
        control().invalidate();
    }
}

HFONT ControlLooks::fontHandle() {
    if (!fontHandle_) {
        LOGFONTW description{};
        description.lfHeight = font_.height;
        description.lfWeight = font_.weight;
        description.lfItalic = font_.italic;
        description.lfUnderline = font_.underline;
        description.lfStrikeOut = font_.strikeOut;
        description.lfCharSet = RUSSIAN_CHARSET;
        const std::wstring face = core::toWide(font_.face);
        face.copy(description.lfFaceName, LF_FACESIZE - 1);
        fontHandle_.reset(CreateFontIndirectW(&description));
    }
    return fontHandle_.get();
}

HBRUSH ControlLooks::brush() {
    if (!brush_)
        brush_.reset(brushBitmap_ ? CreatePatternBrush(brushBitmap_.get())
                                  : CreateSolidBrush(resolveColor(background_)));
    return brush_.get();
}

void ControlLooks::fillBackground(HDC dc, const RECT& rect) {
    POINT viewport;
    GetViewportOrgEx(dc, &viewport);
    SetBrushOrgEx(dc, viewport.x, viewport.y, nullptr);
    FillRect(dc, &rect, brush());
}

}  // namespace toolkit
