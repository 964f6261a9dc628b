#include "editor/flags_window.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/text.h"
#include "editor/control_ids.h"
#include "editor/presets.h"
#include "editor/side_window.h"
#include "model/material.h"
#include "toolkit/windows/message_box.h"

namespace editor {

using namespace toolkit;

namespace {

constexpr char kEnter = 13;

using N = TextName;

// What the engine does with each switch, in the order of the model's list
// of switches (the Russian texts name the panel's six boxes beside theirs).
constexpr std::array<N, 18> kSwitchCaptions{
    N::SwitchTexturesOff,     N::SwitchEffects,
    N::SwitchNoWrapU,         N::SwitchNoWrapV,
    N::SwitchHasDiffuse,      N::SwitchHasReflection,
    N::SwitchFullColour,      N::SwitchNoCompression,
    N::SwitchNoCaching,       N::SwitchMipMapping,
    N::SwitchImageAlpha,      N::SwitchAnimatedAlpha,
    N::SwitchAnimatedDiffuse, N::SwitchColoursOverTexture,
    N::SwitchDoubleSided,     N::SwitchColorKey,
    N::SwitchHasAlpha,        N::SwitchAdditive,
};

// The named values of the two modes; the others show as their numbers.
constexpr N kUnnamed = N::Count;
constexpr std::array<N, 8> kBlendModes{
    kUnnamed, N::BlendByDensity, N::BlendBySurfaceAlpha, N::BlendMultiply, N::BlendMultiplyTwice, N::BlendAdd,
    kUnnamed, kUnnamed};
constexpr std::array<N, 8> kMappingModes{
    kUnnamed, N::MappingReflection, N::MappingReflectionZ, N::MappingPlanar, N::MappingHelperObject, kUnnamed, kUnnamed,
    kUnnamed};

// A mode's row: its number and, when it has one, its name.
std::string modeText(const std::array<TextName, 8>& names, std::uint32_t value) {
    std::string row = core::intToText(static_cast<std::int32_t>(value));
    if (names[value] != kUnnamed) row.append(" - ").append(text(names[value]));
    return row;
}

constexpr int kSwitchTop = 12;
constexpr int kSwitchStep = 26;

}  // namespace

FlagsWindow& FlagsWindow::build(Application& application, MaterialPanel& panel) {
    core::Ref<FlagsWindow> created(new FlagsWindow(panel));
    FlagsWindow& window = *created;
    window.form_ = &window.captions_.add(newSideWindow(application, "", 60, 60, 700, kSwitchTop + 18 * kSwitchStep + 8),
                                         TextName::FlagsWindowCaption);
    application.own(std::move(created));  // freed after every form

    Form& form = *window.form_;
    window.createControls();
    form.rememberShowState();
    form.setVisible(false);
    panel.onFlagsChanged([&window] { window.refresh(); });
    window.refresh();
    return window;
}

ListView& FlagsWindow::newModeList(int top, int id, const model::FlagField& field) {
    ListView& list =
        newListView(*form_, ListView::HeaderlessReportView, ListView::GridLinesOption, nullptr, nullptr, nullptr);
    list.setPosition(12, top).setSize(250, 140).setId(id);
    list.addColumn("", ListView::AlignLeft, 225);
    const auto& names = &field == &model::kBlendModeField ? kBlendModes : kMappingModes;
    for (std::uint32_t value = 0; value <= field.maximum(); ++value)
        list.addItem(modeText(names, value), -1, 0, static_cast<LPARAM>(value));
    list.setOnItemState([this, &field](Control&, int, int last, UINT, UINT newState) {
        if (!refreshing_ && newState == (LVIS_SELECTED | LVIS_FOCUSED)) modeChosen(field, last);
    });
    return list;
}

void FlagsWindow::createControls() {
    captions_.add(newLabel(*form_, ""), TextName::FlagWord).setPosition(12, 12).setSize(120, 18);
    wordLabel_ = &newLabel(*form_, "");
    wordLabel_->setPosition(136, 12).setSize(126, 18).setFontStyle(Bold).setId(FlagWordLabelId);

    captions_.add(newLabel(*form_, ""), TextName::TilingLabel).setPosition(12, 44).setSize(250, 18);
    tilingBox_ = &newEditBox(*form_, DigitsOnly);
    tilingBox_->setPosition(12, 64).setSize(80, 22).setId(TilingBoxId);
    tilingBox_->setOnKeyChar([this](Control&, char& character, std::uint32_t) { tilingKeyTyped(character); });

    captions_.add(newLabel(*form_, ""), TextName::BlendLabel).setPosition(12, 100).setSize(250, 18);
    blendList_ = &newModeList(120, BlendModeListId, model::kBlendModeField);
    captions_.add(newLabel(*form_, ""), TextName::MappingLabel).setPosition(12, 284).setSize(250, 18);
    mappingList_ = &newModeList(304, MappingModeListId, model::kMappingModeField);

    const auto switches = model::flagSwitches();
    for (std::size_t i = 0; i < switches.size(); ++i) {
        const std::uint32_t bit = switches[i].bit;
        GradientCheckBox& box = captions_.add(newGradientCheckBox(*form_, ""), kSwitchCaptions[i]);
        box.setPosition(276, kSwitchTop + static_cast<int>(i) * kSwitchStep).setSize(412, 22);
        applyCheckBoxPreset(box, CheckBoxVariant::Small);
        box.setId(flagSwitchBoxId(bit));
        box.setOnClick([this, &box, bit](Control&) { switchClicked(box, bit); });
        switchBoxes_[i] = &box;
    }
}

void FlagsWindow::show() {
    refresh();
    form_->setVisible(true);
    SetForegroundWindow(form_->createWindow());
}

void FlagsWindow::showTexts() {
    captions_.show();
    for (std::uint32_t value = 0; value <= model::kBlendModeField.maximum(); ++value)
        blendList_->setItemText(static_cast<int>(value), 0, modeText(kBlendModes, value));
    for (std::uint32_t value = 0; value <= model::kMappingModeField.maximum(); ++value)
        mappingList_->setItemText(static_cast<int>(value), 0, modeText(kMappingModes, value));
}

void FlagsWindow::refresh() {
    const bool shows = panel_.showsMaterial();
    const std::uint32_t flags = panel_.flags();
    char word[11];
    std::snprintf(word, sizeof word, "0x%08X", flags);
    wordLabel_->setCaption(shows ? word : "");
    tilingBox_->setCaption(shows ? core::intToText(static_cast<std::int32_t>(model::kTilingField.of(flags))) : "");
    tilingBox_->setEnabled(shows);
    refreshing_ = true;
    blendList_->selectIndex(shows ? static_cast<int>(model::kBlendModeField.of(flags)) : -1);
    mappingList_->selectIndex(shows ? static_cast<int>(model::kMappingModeField.of(flags)) : -1);
    refreshing_ = false;
    blendList_->setEnabled(shows);
    mappingList_->setEnabled(shows);
    const auto switches = model::flagSwitches();
    for (std::size_t i = 0; i < switches.size(); ++i) {
        switchBoxes_[i]->setChecked((flags & switches[i].bit) != 0);
        switchBoxes_[i]->setEnabled(shows && (switches[i].bit & model::kLayoutFlags) == 0);
    }
}

// The box has turned before this runs. Setting the image-alpha switch
// would drop the alpha name the panel holds from the file: the user is
// asked first, and Yes takes the name away with the same write-back.
void FlagsWindow::switchClicked(GradientCheckBox& box, std::uint32_t bit) {
    if (box.checked() && bit == model::ImageAlpha && !panel_.alphaName().empty()) {
        const MaterialPanel::Showing asked = panel_.showing();
        const bool yes = messageBox(text(TextName::ImageAlphaQuestion), MB_YESNO | MB_ICONQUESTION) == IDYES;
        if (!(panel_.showing() == asked)) return;  // the panel went on to another material meanwhile
        if (!yes) {
            box.setChecked(false);
            return;
        }
        panel_.removeAlphaName();
    }
    panel_.setFlags(box.checked() ? panel_.flags() | bit : panel_.flags() & ~bit);
    refresh();
}

void FlagsWindow::tilingKeyTyped(char character) {
    if (character != kEnter) return;
    const core::SignedDigits number = core::scanSignedDigits(tilingBox_->caption());
    std::uint32_t tiling = 0;  // stops growing once past the largest count
    for (const char digit : number.digits) tiling = std::min<std::uint32_t>(tiling * 10 + (digit - '0'), 256);
    if (number.digits.empty() || tiling > model::kTilingField.maximum()) {
        messageBox(text(TextName::TilingRefused), kNoticeMessage);
        refresh();
        return;
    }
    panel_.setFlags(model::kTilingField.in(panel_.flags(), tiling));
    refresh();
}

void FlagsWindow::modeChosen(const model::FlagField& field, int value) {
    panel_.setFlags(field.in(panel_.flags(), static_cast<std::uint32_t>(value)));
    refresh();
}

}  // namespace editor
