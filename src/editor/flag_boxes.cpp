#include "editor/flag_boxes.h"

#include <string>

#include "editor/control_ids.h"
#include "editor/presets.h"
#include "model/material.h"

namespace editor {

using namespace toolkit;

namespace {

GradientCheckBox& newFlagBox(Control& parent, const std::string& caption, int left, int top, int width, int height,
                             CheckBoxVariant variant, int id) {
    GradientCheckBox& box = newGradientCheckBox(parent, caption);
    box.setPosition(left, top).setSize(width, height);
    if (variant == CheckBoxVariant::Small) box.setFontHeight(14);
    applyCheckBoxPreset(box, variant);
    box.setId(id);
    return box;
}

}  // namespace

FlagBoxes::FlagBoxes(Control& panel) {
    constexpr auto kSmall = CheckBoxVariant::Small;
    constexpr auto kLarge = CheckBoxVariant::Large;
    doubleSided_ = &newFlagBox(panel, "Видимость с 2х сторон ", 336, 240, 289, 20, kSmall, DoubleSidedBoxId);
    diffuseHighlight_ =
        &newFlagBox(panel, "Подсвечивать diff. текстуру ", 336, 264, 289, 20, kSmall, DiffuseHighlightBoxId);
    alphaHighlight_ = &newFlagBox(panel, "Подсвечивать alfa текстуру", 336, 288, 289, 20, kSmall, AlphaHighlightBoxId);
    colorTransparency_ =
        &newFlagBox(panel, "Использовать прозрачность цветов ", 336, 312, 289, 20, kSmall, ColorTransparencyBoxId);
    extraSettings_ = &newFlagBox(panel, "Использовать доп. настройки", 320, 214, 305, 21, kLarge, ExtraSettingsBoxId);
    diffuseChannel_ =
        &newFlagBox(panel, "Использовать diff. канал (?)", 320, 190, 305, 21, kLarge, DiffuseChannelBoxId);
    // The box of the diff. channel has no rule.
    for (GradientCheckBox* box : {doubleSided_, diffuseHighlight_, alphaHighlight_, colorTransparency_, extraSettings_})
        box->setOnClick([this](Control& sender) { clicked(static_cast<GradientCheckBox&>(sender)); });
}

std::array<std::pair<GradientCheckBox*, std::uint32_t>, 6> FlagBoxes::boxes() const {
    return {{
        {diffuseChannel_, model::DiffuseChannel},
        {extraSettings_, model::ExtraSettings},
        {doubleSided_, model::DoubleSided},
        {diffuseHighlight_, model::DiffuseHighlight},
        {alphaHighlight_, model::AlphaHighlight},
        {colorTransparency_, model::ColorTransparency},
    }};
}

void FlagBoxes::show(std::uint32_t flags) {
    for (const auto& [box, bit] : boxes()) box->setChecked((flags & bit) != 0);
}

std::uint32_t FlagBoxes::checkedBits() const {
    std::uint32_t bits = 0;
    for (const auto& [box, bit] : boxes())
        if (box->checked()) bits |= bit;
    return bits;
}

// The box has turned before the rule runs; what a rule changes runs no
// further rule.
void FlagBoxes::clicked(GradientCheckBox& box) {
    const bool checked = box.checked();
    if (&box == doubleSided_ || &box == colorTransparency_) {
        if (checked) extraSettings_->setChecked(true);
    } else if (&box == diffuseHighlight_ || &box == alphaHighlight_) {
        if (checked) {
            extraSettings_->setChecked(true);
            (&box == diffuseHighlight_ ? alphaHighlight_ : diffuseHighlight_)->setChecked(false);
        }
    } else if (&box == extraSettings_ && !checked) {
        for (GradientCheckBox* dependent : {doubleSided_, diffuseHighlight_, alphaHighlight_, colorTransparency_})
            dependent->setChecked(false);
    }
}

}  // namespace editor
