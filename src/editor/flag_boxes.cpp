#include "editor/flag_boxes.h"

#include <string>

#include "editor/control_ids.h"
#include "editor/presets.h"
#include "model/material.h"

namespace editor {

using namespace toolkit;

namespace {

struct BoxLayout {
    const char* caption;
    int left, top, width, height;
    CheckBoxVariant variant;
    int id;
    const char* meaning;  // what the engine does with the bit, as the status bar says it
};

// In the layout's order.
constexpr std::array<BoxLayout, 6> kBoxes{{
    {"Видимость с 2х сторон ", 336, 240, 289, 20, CheckBoxVariant::Small, DoubleSidedBoxId,
     "Материал виден с обеих сторон"},
    {"Подсвечивать diff. текстуру ", 336, 264, 289, 20, CheckBoxVariant::Small, DiffuseHighlightBoxId,
     "Аддитивное смешивание: материал прибавляет свой цвет к тому, что за ним"},
    {"Подсвечивать alfa текстуру", 336, 288, 289, 20, CheckBoxVariant::Small, AlphaHighlightBoxId,
     "Анимированная alfa текстура"},
    {"Использовать прозрачность цветов ", 336, 312, 289, 20, CheckBoxVariant::Small, ColorTransparencyBoxId,
     "Цветовой ключ: первый цвет палитры 8-битной текстуры прозрачен"},
    {"Использовать доп. настройки", 320, 214, 305, 21, CheckBoxVariant::Large, ExtraSettingsBoxId,
     "Альфа- и аддитивные эффекты: нужен alfa текстуре, цветовому ключу и смешиванию"},
    {"Использовать diff. канал (?)", 320, 190, 305, 21, CheckBoxVariant::Large, DiffuseChannelBoxId,
     "Мип-маппинг: уменьшенные копии текстуры для дальних поверхностей"},
}};

GradientCheckBox& newFlagBox(Control& parent, const BoxLayout& layout, const StatusText& statusText) {
    GradientCheckBox& box = newGradientCheckBox(parent, layout.caption);
    box.setPosition(layout.left, layout.top).setSize(layout.width, layout.height);
    if (layout.variant == CheckBoxVariant::Small) box.setFontHeight(14);
    applyCheckBoxPreset(box, layout.variant);
    box.setId(layout.id);
    showHintWhileOver(box, layout.meaning, statusText);
    return box;
}

}  // namespace

FlagBoxes::FlagBoxes(Control& panel, const StatusText& statusText, std::function<void()> clicked)
    : clicked_(std::move(clicked)) {
    std::array<GradientCheckBox*, 6> made{};
    for (std::size_t i = 0; i < kBoxes.size(); ++i) made[i] = &newFlagBox(panel, kBoxes[i], statusText);
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
