// One colour channel of the material panel: a group with a red, a green
// and a blue slider and a swatch filled with the channel's colour, which
// opens the colour dialog. The channel holds its colour, one byte a
// component, always on one of the sliders' 101 levels.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/status_hints.h"
#include "editor/translated_captions.h"
#include "model/material.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/dialogs.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

class ColorChannel {
public:
    // Makes the channel's group in `parent` at `left`, its captions kept
    // with the panel's; `index` (0 ambient, 1 diffuse, 2 emission) gives its
    // controls' ids. The dialog keeps the user's custom colours while the
    // program runs.
    ColorChannel(toolkit::Control& parent, TranslatedCaptions& captions, TextName caption, int left, int index,
                 toolkit::ColorDialog& dialog, const StatusText& statusText);

    // A material's colour put on the sliders.
    void show(const model::Color& color);
    // The sliders' positions: red, green, blue.
    std::array<int, 3> positions() const;
    // What a component stands for in a material: its byte over 255.
    float componentValue(int component) const;
    // The dialog, preset to the channel's colour; the colour chosen, or
    // nothing when the user cancels.
    std::optional<toolkit::Color> askForColor() const;
    // Puts a colour on the sliders' nearest levels, the swatch following.
    void setColor(toolkit::Color color);

    toolkit::GradientPanel& swatch() const { return *swatch_; }

private:
    void fromSlider(int component, int position);

    toolkit::ColorDialog& dialog_;
    toolkit::Color color_ = 0;  // 0x00BBGGRR
    toolkit::GradientPanel* group_ = nullptr;
    std::array<toolkit::GradientProgressBar*, 3> bars_{};
    toolkit::GradientPanel* swatch_ = nullptr;
};

}  // namespace editor
