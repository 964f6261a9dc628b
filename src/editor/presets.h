// The gradient settings that the controls of the editor's windows share.
// They need the toolkit alone (the gradient demo shows them too).
#pragma once

#include <string>

#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

// A push button whose over look ends in `overEnd`.
void applyPushButtonPreset(toolkit::GradientButton& button, toolkit::Color overEnd);

// The viewer's tab buttons: the push button with the viewer's own colours.
void applyTabButtonPreset(toolkit::GradientButton& button, toolkit::Color normalEnd);

enum class CheckBoxVariant { Large, Small };
void applyCheckBoxPreset(toolkit::GradientCheckBox& box, CheckBoxVariant variant);

// A gradient panel framing one edit box: `Full` colours every look, the
// other variant only the normal look and the disabled end.
enum class EditFrameVariant { Full, NormalOnly };
void applyEditFramePreset(toolkit::GradientPanel& frame, EditFrameVariant variant);

// The edit box inside an edit frame: single line, filling the frame, no
// border, transparent over the frame's gradient. `options` is upper case or
// digits only.
toolkit::EditBox& newEmbeddedEdit(toolkit::GradientPanel& frame, unsigned options);

// Group panels: black borders, square corners in the normal look.
void applyGroupPanelPreset(toolkit::GradientPanel& panel);
// A group panel shaded from `start` to `end` diagonally from its
// bottom-left corner, grey when disabled.
void applyShadedGroupPanelPreset(toolkit::GradientPanel& panel, toolkit::Color start, toolkit::Color end);

// A progress bar used as a slider, its fill ending in `fillEnd`.
void applyBarPreset(toolkit::GradientProgressBar& bar, toolkit::Color fillEnd);

// A panel that shows a colour (its normal start colour), with the hand
// pointer.
void applySwatchPreset(toolkit::GradientPanel& swatch);

// A label that shows its parent's gradient behind its text.
toolkit::Label& newTransparentLabel(toolkit::Control& parent, const std::string& caption, int left, int top, int width,
                                    int height);
// The small, grey explanations of the settings panel.
toolkit::Label& newExplanation(toolkit::Control& parent, const std::string& caption, int left, int top, int width,
                               int height);
// A frame for one edit box.
toolkit::GradientPanel& newEditFrame(toolkit::Control& parent, int left, int top, int width, int height,
                                     EditFrameVariant variant);
// The grey behind the text of an edit box in a frame.
constexpr toolkit::Color kEmbeddedEditBackground = 0xC0C0C0;

}  // namespace editor
