// "Флаги материала": the whole flag word of the material the panel shows.
// The word in hexadecimal, the reflection's tiling count, its blend and
// mapping modes as lists of their values, and one check box a switch, the
// six of the panel's boxes among them (kept in step with those) and the
// four layout bits shown but not changeable. What the window changes goes
// into the panel's word, exactly the bit changed, and reaches the material
// with the panel's write-back.
#pragma once

#include <array>
#include <cstdint>

#include "core/object.h"
#include "editor/material_panel.h"
#include "editor/translated_captions.h"
#include "model/flag_word.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

class FlagsWindow : public core::ToolkitObject {
public:
    // Builds the (hidden) window over the panel. The application owns it.
    static FlagsWindow& build(toolkit::Application& application, MaterialPanel& panel);

    // Makes the window visible and brings it to the front.
    void show();
    // The texts show in the language chosen now.
    void showTexts();

private:
    explicit FlagsWindow(MaterialPanel& panel) : panel_(panel) {}
    void createControls();
    toolkit::ListView& newModeList(int top, int id, const model::FlagField& field);
    // Shows the panel's word.
    void refresh();
    void switchClicked(toolkit::GradientCheckBox& box, std::uint32_t bit);
    void tilingKeyTyped(char character);
    void modeChosen(const model::FlagField& field, int value);

    MaterialPanel& panel_;
    TranslatedCaptions captions_;
    toolkit::Form* form_ = nullptr;
    toolkit::Label* wordLabel_ = nullptr;
    toolkit::EditBox* tilingBox_ = nullptr;
    toolkit::ListView* blendList_ = nullptr;
    toolkit::ListView* mappingList_ = nullptr;
    std::array<toolkit::GradientCheckBox*, 18> switchBoxes_{};
    // The window sets its lists itself: their row changes are not the user's.
    bool refreshing_ = false;
};

}  // namespace editor
