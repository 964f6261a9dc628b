#include "editor/flag_boxes.h"

#include <string>

#include "editor/control_ids.h"
#include "editor/presets.h"
#include "model/material.h"

namespace editor {

using namespace toolkit;

namespace {

struct BoxLayout {
    TextName caption;
    int left, top, width, height;
    CheckBoxVariant variant;
    int id;
    TextName meaning;  // what the engine does with the bit, as the status bar says it
};

// In the layout's order.
constexpr std::array<BoxLayout, 6> kBoxes{{
    {TextName::DoubleSidedBox, 336, 240, 289, 20, CheckBoxVariant::Small, DoubleSidedBoxId,
     TextName::DoubleSidedMeaning},
    {TextName::DiffuseHighlightBox, 336, 264, 289, 20, CheckBoxVariant::Small, DiffuseHighlightBoxId,
     TextName::DiffuseHighlightMeaning},
    {TextName::AlphaHighlightBox, 336, 288, 289, 20, CheckBoxVariant::Small, AlphaHighlightBoxId,
     TextName::AlphaHighlightMeaning},
    {TextName::ColorTransparencyBox, 336, 312, 289, 20, CheckBoxVariant::Small, ColorTransparencyBoxId,
     TextName::ColorTransparencyMeaning},
    {TextName::ExtraSettingsBox, 320, 214, 305, 21, CheckBoxVariant::Large, ExtraSettingsBoxId,
     TextName::ExtraSettingsMeaning},
    {TextName::DiffuseChannelBox, 320, 190, 305, 21, CheckBoxVariant::Large, DiffuseChannelBoxId,
     TextName::DiffuseChannelMeaning},
}};

GradientCheckBox& newFlagBox(Control& parent, TranslatedCaptions& captions, const BoxLayout& layout,
                             const StatusText& statusText) {
    GradientCheckBox& box = captions.add(newGradientCheckBox(parent, ""), layout.caption);
    box.setPosition(layout.left, layout.top).setSize(layout.width, layout.height);
    if (layout.variant == CheckBoxVariant::Small) box.setFontHeight(14);
    applyCheckBoxPreset(box, layout.variant);
    box.setId(layout.id);
    showHintWhileOver(box, layout.meaning, statusText);
    return box;
}

}  // namespace

FlagBoxes::FlagBoxes(Control& panel, TranslatedCaptions& captions, const StatusText& statusText,
                     std::function<void()> clicked)
    : clicked_(std::move(clicked)) {
    std::array<GradientCheckBox*, 6> made{};
    for (std::size_t i = 0; i < kBoxes.size(); ++i) made[i] = &newFlagBox(panel, captions, kBoxes[i], statusText);
    doubleSided_ = made[0];
    diffuseHighlight_ = made[1];
    alphaHighlight_ = made[2];
    colorTransparency_ = made[3];
    extraSettings_ = made[4];
    diffuseChannel_ = made[5];
    for (GradientCheckBox* box : made)
        box->setOnClick([this](Control& sender) {
            applyRules(static_cast<GradientCheckBox&>(sender));
            clicked_();
        });
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
// further rule. The box of the diff. channel has none.
void FlagBoxes::applyRules(GradientCheckBox& box) {
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
