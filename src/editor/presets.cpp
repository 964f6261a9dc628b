#include "editor/presets.h"

#include "toolkit/windows/control.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

using namespace toolkit;

namespace {

// The colours in which the editor's buttons differ; their borders, the rest
// of their shadows, the disabled look, square corners and the missing focus
// rectangle are the same for all.
struct ButtonColors {
    Color normalEnd;
    Color overEnd;
    Color overShadow;
    Color downStart;
};

void applyButtonLooks(GradientButton& button, const ButtonColors& colors) {
    button.setEndColor(NormalLook, colors.normalEnd).setShadowColor(NormalLook, 0xC0C0C0);
    button.setBorderColor(NormalLook, 0x000000);
    button.setStartColor(OverLook, 0xFFFFFF).setEndColor(OverLook, colors.overEnd);
    button.setShadowColor(OverLook, colors.overShadow).setBorderColor(OverLook, 0xFFFFFF);
    button.setStartColor(DownLook, colors.downStart).setEndColor(DownLook, 0xFFFFFF).setShadowColor(DownLook, 0xC0C0C0);
    button.setGradientStyle(DownLook, 1).setShadowOffset(DownLook, 1);
    button.setEndColor(DisabledLook, 0xC0C0C0).setTextColor(DisabledLook, 0x808080);
    button.setShadowColor(DisabledLook, 0xC0C0C0).setBorderColor(DisabledLook, 0xC0C0C0);
    button.setGradientStyle(DisabledLook, 1);
    button.setCornerWidth(AllLooks, 0).setCornerHeight(AllLooks, 0);
    button.setShowFocusRectangle(false);
}

}  // namespace

void applyPushButtonPreset(GradientButton& button, Color overEnd) {
    applyButtonLooks(button, {.normalEnd = 0xC0C0C0, .overEnd = overEnd, .overShadow = overEnd, .downStart = 0xC0C0C0});
}

void applyTabButtonPreset(GradientButton& button, Color normalEnd) {
    applyButtonLooks(button,
                     {.normalEnd = normalEnd, .overEnd = 0x00FFFF, .overShadow = 0xFFFFFF, .downStart = 0xDFDFDF});
}

void applyCheckBoxPreset(GradientCheckBox& box, CheckBoxVariant variant) {
    box.setEndColor(NormalLook, 0xC0C0C0).setShadowColor(NormalLook, 0xC0C0C0).setBorderColor(NormalLook, 0x000000);
    box.setStartColor(OverLook, 0xC0C0C0).setShadowColor(OverLook, 0xFFFFFF).setBorderColor(OverLook, 0xFFFFFF);
    box.setStartColor(DownLook, 0xF7F7F7).setEndColor(DownLook, 0xC0C0C0).setShadowColor(DownLook, 0xC0C0C0);
    box.setShadowOffset(DownLook, 1);
    box.setTransparent(true);
    if (variant == CheckBoxVariant::Large) {
        box.setInsets(21, 1, -1, -1).setCheckMarkSize(15).setCheckMarkColor(0x0000FF);
    } else {
        box.setInsets(18, 1, -1, -1).setCheckMarkSize(12).setCheckMarkColor(0xFF0000);
    }
    box.setShowFocusRectangle(false);
}

void applyEditFramePreset(GradientPanel& frame, EditFrameVariant variant) {
    frame.setShadowColor(AllLooks, 0xC0C0C0).setBorderColor(AllLooks, 0x000000);
    frame.setCornerWidth(NormalLook, 0).setCornerHeight(NormalLook, 0).setGradientStyle(NormalLook, 3);
    if (variant == EditFrameVariant::Full) {
        frame.setStartColor(AllLooks, 0xE5E5E5).setEndColor(AllLooks, 0xFFFFFF);
    } else {
        frame.setStartColor(NormalLook, 0xE5E5E5).setEndColor(NormalLook, 0xFFFFFF);
        frame.setEndColor(DisabledLook, 0xC0C0C0);
    }
}

EditBox& newEmbeddedEdit(GradientPanel& frame, unsigned options) {
    EditBox& box = newEditBox(frame, options);
    box.setAlignToParent(ClientAlignment).setBorder(false).setFontColor(0x000000).setFontHeight(18);
    box.setTransparent(true);
    return box;
}

void applyGroupPanelPreset(GradientPanel& panel) {
    panel.setBorderColor(AllLooks, 0x000000);
    panel.setCornerWidth(NormalLook, 0).setCornerHeight(NormalLook, 0);
}

void applyShadedGroupPanelPreset(GradientPanel& panel, Color start, Color end) {
    applyGroupPanelPreset(panel);
    panel.setStartColor(NormalLook, start).setEndColor(NormalLook, end).setGradientStyle(NormalLook, 6);
    panel.setStartColor(DisabledLook, 0xDDDDDD).setEndColor(DisabledLook, 0xC0C0C0);
    panel.setShadowColor(AllLooks, 0xC0C0C0);
}

void applyBarPreset(GradientProgressBar& bar, Color fillEnd) {
    bar.setStartColor(AllLooks, 0xFFFFFF).setEndColor(AllLooks, fillEnd).setShadowColor(AllLooks, 0xC0C0C0);
    bar.setBorderColor(AllLooks, 0x000000);
    bar.setCornerWidth(NormalLook, 0).setCornerHeight(NormalLook, 0).setBorderWidth(NormalLook, 0);
    bar.setShowCaption(false);
}

void applySwatchPreset(GradientPanel& swatch) {
    swatch.setStartColor(NormalLook, 0x000000).setCornerWidth(NormalLook, 1).setCornerHeight(NormalLook, 1);
    swatch.setCornerWidth(DisabledLook, 0).setCornerHeight(DisabledLook, 0).setBorderWidth(DisabledLook, 1);
    swatch.setShadowOffset(DisabledLook, 1);
    swatch.setEndColor(AllLooks, 0xC0C0C0).setShadowColor(AllLooks, 0xC0C0C0).setBorderColor(AllLooks, 0x000000);
    swatch.setGradientStyle(AllLooks, 0);
    swatch.setCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
}

Label& newTransparentLabel(Control& parent, const std::string& caption, int left, int top, int width, int height) {
    Label& label = newLabel(parent, caption);
    label.setPosition(left, top).setSize(width, height);
    label.setTransparent(true);
    return label;
}

Label& newExplanation(Control& parent, const std::string& caption, int left, int top, int width, int height) {
    Label& label = newLabel(parent, caption);
    label.setPosition(left, top).setSize(width, height).setFontColor(0x626262).setFontHeight(12);
    return label;
}

GradientPanel& newEditFrame(Control& parent, int left, int top, int width, int height, EditFrameVariant variant) {
    GradientPanel& frame = newGradientPanel(parent);
    frame.setPosition(left, top).setSize(width, height);
    applyEditFramePreset(frame, variant);
    return frame;
}

}  // namespace editor
