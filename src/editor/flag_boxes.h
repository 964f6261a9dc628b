// The six flag check boxes of the material panel, each bound to one bit of
// the material's flag word, with the rules by which a click on one checks
// or unchecks others, and the engine's meaning of each in the status bar
// while the pointer is over it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

#include "editor/status_hints.h"
#include "editor/translated_captions.h"
#include "toolkit/gradient/gradient.h"

namespace editor {

class FlagBoxes {
public:
    // Makes the boxes in the settings panel, their captions kept with the
    // panel's; `clicked` runs once a click and its rules have set the boxes.
    FlagBoxes(toolkit::Control& panel, TranslatedCaptions& captions, const StatusText& statusText,
              std::function<void()> clicked);

    // Checks each box whose bit the flag word has; no rule runs.
    void show(std::uint32_t flags);
    // The bits of the checked boxes.
    std::uint32_t checkedBits() const;

private:
    // The boxes and their bits in the order of the material's flag table.
    std::array<std::pair<toolkit::GradientCheckBox*, std::uint32_t>, 6> boxes() const;
    void applyRules(toolkit::GradientCheckBox& box);

    std::function<void()> clicked_;
    toolkit::GradientCheckBox* doubleSided_ = nullptr;
    toolkit::GradientCheckBox* diffuseHighlight_ = nullptr;
    toolkit::GradientCheckBox* alphaHighlight_ = nullptr;
    toolkit::GradientCheckBox* colorTransparency_ = nullptr;
    toolkit::GradientCheckBox* extraSettings_ = nullptr;
    toolkit::GradientCheckBox* diffuseChannel_ = nullptr;
};

}  // namespace editor
