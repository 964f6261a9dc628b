#include "editor/color_channel.h"

#include "editor/control_ids.h"
#include "editor/presets.h"
#include "editor/sliders.h"
#include "model/material_edit.h"

namespace editor {

using namespace toolkit;

namespace {

std::uint8_t componentOf(Color color, int component) { return static_cast<std::uint8_t>(color >> (8 * component)); }

GradientProgressBar& newBar(Control& parent, int top, Color fillEnd) {
    GradientProgressBar& bar = newGradientProgressBar(parent);
    bar.setPosition(8, top).setSize(185, 17);
    applyBarPreset(bar, fillEnd);
    return bar;
}

}  // namespace

ColorChannel::ColorChannel(Control& parent, TranslatedCaptions& captions, TextName caption, int left, int index,
                           ColorDialog& dialog, const StatusText& statusText)
    : dialog_(dialog) {
    group_ = &newGradientPanel(parent);
    group_->setPosition(left, 32).setSize(201, 145);
    applyGroupPanelPreset(*group_);
    group_->setStartColor(NormalLook, 0xE4E4E4).setStartColor(DisabledLook, 0xDDDDDD);
    group_->setEndColor(AllLooks, 0xC0C0C0).setShadowColor(AllLooks, 0xC0C0C0);

    Label& title = captions.add(newLabel(*group_, ""), caption);
    title.setPosition(8, 10).setSize(185, 15).setFontHeight(14).setTransparent(true);
    Label& colorLabel = captions.add(newLabel(*group_, ""), TextName::Colour);
    colorLabel.setPosition(8, 109).setSize(121, 15).setFontColor(0x000000).setFontHeight(14);
    colorLabel.setTransparent(true);

    bars_[0] = &newBar(*group_, 32, 0x0000FF);
    bars_[0]->setOuterColor(NormalLook, 0xDDDDDD).setOuterColor(DisabledLook, 0xC0C0C0);
    bars_[1] = &newBar(*group_, 56, 0x00FF00);
    bars_[1]->setOuterColor(NormalLook, 0xDDDDDD).setOuterColor(DisabledLook, 0xC0C0C0);
    bars_[2] = &newBar(*group_, 80, 0xFF0000);
    bars_[2]->setOuterColor(AllLooks, 0xDDDDDD);

    swatch_ = &newGradientPanel(*group_);
    swatch_->setPosition(136, 104).setSize(57, 24);
    applySwatchPreset(*swatch_);
    swatch_->setId(channelControlId(index, kSwatchPart));
    showHintWhileOver(*swatch_, TextName::SwatchHint, statusText);

    for (int i = 0; i < 3; ++i) {
        GradientProgressBar& bar = *bars_[static_cast<std::size_t>(i)];
        bar.setId(channelControlId(index, i));
        makeSlider(bar, statusText);
        bar.setOnPositionChange([this, i](Control&, int position) { fromSlider(i, position); });
    }
}

void ColorChannel::show(const model::Color& color) {
    for (std::size_t i = 0; i < bars_.size(); ++i) bars_[i]->setProgress(model::sliderPositionOf(color[i]));
}

std::array<int, 3> ColorChannel::positions() const {
    return {bars_[0]->progress(), bars_[1]->progress(), bars_[2]->progress()};
}

float ColorChannel::componentValue(int component) const {
    return model::valueOfColorByte(componentOf(color_, component));
}

std::optional<Color> ColorChannel::askForColor() const {
    dialog_.color = color_;
    if (!dialog_.execute()) return std::nullopt;
    return dialog_.color;
}

void ColorChannel::setColor(Color color) {
    for (std::size_t i = 0; i < bars_.size(); ++i)
        bars_[i]->setProgress(model::sliderPositionOfByte(componentOf(color, static_cast<int>(i))));
}

// Every set of a slider's position, whoever makes it, puts the component
// on that slider's level.
void ColorChannel::fromSlider(int component, int position) {
    const Color mask = Color{0xFF} << (8 * component);
    color_ = (color_ & ~mask) | (Color{model::colorByteOfPosition(position)} << (8 * component));
    swatch_->setStartColor(NormalLook, color_);
    swatch_->invalidate();
}

}  // namespace editor
