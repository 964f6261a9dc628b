#include "editor/material_panel.h"

#include "editor/control_ids.h"
#include "editor/presets.h"
#include "editor/sliders.h"
#include "editor/usage_texts.h"
#include "editor/viewer_window.h"
#include "toolkit/windows/message_box.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

using namespace toolkit;
using model::MaterialEdit;
using model::TextureKind;

namespace {

constexpr std::array<TextureKind, 3> kTextureKinds{model::ReflectionKind, model::DiffuseKind, model::AlphaKind};

ViewerWindow::Tab tabOf(TextureKind kind) {
    switch (kind) {
        case model::ReflectionKind:
            return ViewerWindow::ReflectionTab;
        case model::DiffuseKind:
            return ViewerWindow::DiffuseTab;
        case model::AlphaKind:
            break;
    }
    return ViewerWindow::AlphaTab;
}

const model::Color& storedColor(const model::Material& material, std::size_t channel) {
    return channel == 0 ? material.ambient() : channel == 1 ? material.diffuse() : material.emission();
}

MaterialEdit::ColorEdit& editedColor(MaterialEdit& edit, std::size_t channel) {
    return channel == 0 ? edit.ambient : channel == 1 ? edit.diffuse : edit.emission;
}

Label& newSmallLabel(Control& parent, int left, int top, int width) {
    Label& label = newLabel(parent, "");
    label.setPosition(left, top).setSize(width, 15).setFontHeight(14).setTransparent(true);
    return label;
}

// The two density bars start half way.
GradientProgressBar& newDensityBar(Control& parent, int top, int id, const StatusText& statusText) {
    GradientProgressBar& bar = newGradientProgressBar(parent);
    bar.setPosition(24, top).setSize(185, 17).setFontColor(kWindowTextColor).setId(id);
    bar.setProgress(50);
    applyBarPreset(bar, 0x000000);
    bar.setOuterColor(AllLooks, 0xDDDDDD);
    makeSlider(bar, statusText);
    return bar;
}

}  // namespace

MaterialPanel::MaterialPanel(Form& form, model::Document& document, const ColorDialogs& dialogs, Host host)
    : document_(document), host_(std::move(host)) {
    GradientPanel& panel = newGradientPanel(form);
    panel.setPosition(224, 8).setSize(637, 514);
    applyShadedGroupPanelPreset(panel, 0xC5C5C5, 0xEFEFEF);
    panel.setAnchors(false, true, true, true);

    Label& transparencyHint = captions_.add(newExplanation(panel, "", 336, 332, 289, 13), TextName::ColorKeyNote);
    transparencyHint.setTransparent(true);
    transparencyHint.setBackgroundColor(0xEEEEEE);
    Label& title = captions_.add(newLabel(panel, ""), TextName::PanelTitle);
    title.setPosition(8, 5).setSize(177, 17).setFontStyle(Bold).setTransparent(true);
    // In the title's line, beside it.
    usageLine_ = &newLabel(panel, "");
    usageLine_->setTextAlignment(RightText);
    usageLine_->setPosition(192, 7).setSize(437, 15).setFontHeight(14).setTransparent(true).setId(UsageLineId);
    usageLine_->setCursor(LoadCursorW(nullptr, IDC_HAND));
    usageLine_->setOnMouseDown([this](Control&, const MouseInfo&) { host_.showUsage(); });
    showHintWhileOver(*usageLine_, TextName::UsageLineHint, host_.statusText);
    captions_.add(newTransparentLabel(panel, "", 8, 184, 305, 17), TextName::ReflectionTexture);
    captions_.add(newSmallLabel(panel, 16, 202, 297), TextName::Density);
    captions_.add(newSmallLabel(panel, 16, 242, 289), TextName::Bitmap);
    captions_.add(newSmallLabel(panel, 16, 412, 297), TextName::Bitmap);
    captions_.add(newSmallLabel(panel, 16, 348, 297), TextName::Bitmap);
    captions_.add(newSmallLabel(panel, 16, 306, 297), TextName::Density);
    captions_.add(newTransparentLabel(panel, "", 8, 288, 305, 17), TextName::DiffuseTexture);
    captions_.add(newTransparentLabel(panel, "", 8, 392, 305, 17), TextName::AlphaTexture);

    reflectionDensityBar_ = &newDensityBar(panel, 220, ReflectionDensityBarId, host_.statusText);
    densityBar_ = &newDensityBar(panel, 324, DiffuseDensityBarId, host_.statusText);

    textures_ =
        std::make_unique<TextureSettings>(panel, captions_,
                                          TextureSettings::Host{
                                              .statusText = host_.statusText,
                                              .listHasRows = host_.listHasRows,
                                              .nameTaken = [this](TextureKind kind) { nameTaken(kind); },
                                              .notice = [this](TextName notice) { return noticeKeptThePanel(notice); },
                                              .shownFlags = [this] { return flags_; },
                                          });

    // Made in the layout's order: diffuse, ambient, emission.
    const std::array<TextName, 3> captions{TextName::AmbientChannel, TextName::DiffuseChannel,
                                           TextName::EmissionChannel};
    const std::array<int, 3> lefts{8, 216, 424};
    for (const std::size_t c : {1U, 0U, 2U}) {
        channels_[c] = std::make_unique<ColorChannel>(panel, captions_, captions[c], lefts[c], static_cast<int>(c),
                                                      *dialogs[c], host_.statusText);
        channels_[c]->swatch().setOnMouseDown([this, c](Control&, const MouseInfo&) { chooseColor(c); });
    }

    GradientButton& viewerButton = captions_.add(newGradientButton(panel, ""), TextName::ViewerCaption);
    viewerButton.setPosition(8, 469).setSize(129, 25).setFontHeight(14).setId(ViewerButtonId);
    applyPushButtonPreset(viewerButton, 0x00FFFF);
    viewerButton.setOnClick([this](Control&) { host_.showViewer(); });

    flagBoxes_ = std::make_unique<FlagBoxes>(panel, captions_, host_.statusText, [this] {
        flags_ = (flags_ & ~model::kEditorFlags) | flagBoxes_->checkedBits();
        showColorKey();
        flagsChanged_();
    });
}

void MaterialPanel::nameTaken(TextureKind kind) {
    loadImage(kind, textures_->name(kind));
    if (shown_ == nullptr) return;
    const auto& names = textures_->names();
    host_.refreshRow(*shown_, model::Material::joinTextureNames(names[0], names[1], names[2], shown_->separator()));
}

void MaterialPanel::showTexts() {
    captions_.show();
    shownMaterialChanged();
}

void MaterialPanel::forget() {
    shown_ = nullptr;
    flagsChanged_();
    shownMaterialChanged();
}

std::int32_t MaterialPanel::shownNumber() const {
    return shown_ == nullptr ? 0 : document_.materials().numberOf(shown_);
}

void MaterialPanel::shownMaterialChanged() {
    usageLine_->setCaption(shown_ == nullptr ? "" : usageSummary(document_.usage(), shownNumber()));
    shownChanged_();
}

void MaterialPanel::setFlags(std::uint32_t flags) {
    flags_ = flags;
    flagBoxes_->show(flags_);
    showColorKey();
}

void MaterialPanel::removeAlphaName() {
    textures_->clearName(model::AlphaKind);
    nameTaken(model::AlphaKind);
}

void MaterialPanel::loadImage(TextureKind kind, const std::string& name) {
    if (viewer_ != nullptr) viewer_->loadImage(tabOf(kind), name);
}

void MaterialPanel::showColorKey() {
    if (viewer_ != nullptr) viewer_->setColorKey((flags_ & model::ColorTransparency) != 0);
}

// Before a material is shown, the panel is written back into the one it
// shows, whatever order the list reports its rows' changes in; also when it
// is the same material, which the panel may have been edited for while no
// row was selected. Writing back only what changed makes that harmless.
void MaterialPanel::show(model::Material& material) {
    writeBack();
    shown_ = &material;
    for (std::size_t c = 0; c < channels_.size(); ++c) channels_[c]->show(storedColor(material, c));
    textures_->show(material);
    for (const TextureKind kind : kTextureKinds) loadImage(kind, textures_->name(kind));
    reflectionDensityBar_->setProgress(model::sliderPositionOf(material.reflectionDensity()));
    densityBar_->setProgress(model::sliderPositionOf(material.density()));
    setFlags(material.flags());
    shownState_ = state();
    flagsChanged_();
    shownMaterialChanged();
}

PanelState MaterialPanel::state() const {
    PanelState state;
    for (std::size_t c = 0; c < channels_.size(); ++c) state.colorPositions[c] = channels_[c]->positions();
    state.reflectionDensityPosition = reflectionDensityBar_->progress();
    state.densityPosition = densityBar_->progress();
    state.names = textures_->names();
    state.flags = flags_;
    state.animated = textures_->animated();
    state.frames = textures_->frames();
    state.delay = static_cast<std::uint32_t>(textures_->delay());
    return state;
}

// Only what differs from the shown state is written: a value the user left
// alone keeps its exact stored form, and flag bits the panel does not manage
// are never touched.
MaterialEdit MaterialPanel::edit(const PanelState& now) const {
    MaterialEdit edit;
    for (std::size_t c = 0; c < channels_.size(); ++c)
        for (std::size_t i = 0; i < 3; ++i)
            if (now.colorPositions[c][i] != shownState_.colorPositions[c][i])
                editedColor(edit, c)[i] = channels_[c]->componentValue(static_cast<int>(i));
    if (now.reflectionDensityPosition != shownState_.reflectionDensityPosition)
        edit.reflectionDensity = model::valueOfSliderPosition(now.reflectionDensityPosition);
    if (now.densityPosition != shownState_.densityPosition)
        edit.density = model::valueOfSliderPosition(now.densityPosition);
    for (const TextureKind kind : kTextureKinds)
        if (now.names[kind] != shownState_.names[kind]) edit.names[kind] = now.names[kind];
    // The layout bits follow the names and the animation.
    edit.flagsToSet = now.flags & ~shownState_.flags & ~model::kLayoutFlags;
    edit.flagsToClear = shownState_.flags & ~now.flags & ~model::kLayoutFlags;
    const bool animationChanged =
        now.animated != shownState_.animated ||
        (now.animated && (now.frames != shownState_.frames || now.delay != shownState_.delay));
    // The material animates only a "00" diffuse name with two frames or
    // more; otherwise checked settings drop the animation, as unchecked ones
    // do, which is no change for a material without one.
    const bool holds = now.animated && model::isFrameCount(now.frames) &&
                       model::Material::qualifiesForAnimation(now.names[model::DiffuseKind]);
    if (animationChanged && (holds || shown_->animation()))
        edit.animation = holds ? std::optional<model::Animation>(model::Animation{now.frames, now.delay})
                               : std::optional<model::Animation>();
    return edit;
}

// The panel takes only what the edit rules allow (the name box's rule,
// frame counts of 2..255, bars within 0..100), so the change is never
// refused; a stored name the material cannot take again (one holding the
// separator) is not rewritten unless the user confirms another name.
void MaterialPanel::writeBack() {
    if (shown_ == nullptr) return;
    const PanelState now = state();
    const MaterialEdit change = edit(now);
    if (!change.empty()) this->change(*shown_, change);
    shownState_ = now;
}

bool MaterialPanel::holdsChange() const { return shown_ != nullptr && !edit(state()).empty(); }

void MaterialPanel::change(model::Material& material, const MaterialEdit& edit) {
    if (document_.change(document_.materials().numberOf(&material), edit)) host_.changed();
}

bool MaterialPanel::noticeKeptThePanel(TextName notice) {
    const Showing before = showing();
    messageBox(text(notice), kNoticeMessage);
    return showing() == before;
}

// A chosen colour is put on the nearest of the bars' levels. The main
// window stays usable while the dialog is open: when the panel shows
// another material by the time the colour is chosen, the colour goes to the
// material the dialog was opened for, and the channel keeps the shown one's.
void MaterialPanel::chooseColor(std::size_t channel) {
    const Showing opened = showing();
    const std::optional<Color> chosen = channels_[channel]->askForColor();
    if (!chosen) return;
    if (showing() == opened) {
        channels_[channel]->setColor(*chosen);
        return;
    }
    if (opened.material == nullptr || opened.generation != document_.generation()) return;
    MaterialEdit edit;
    const model::Color& stored = storedColor(*opened.material, channel);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(*chosen >> (8 * i));
        const float value = model::valueOfColorByte(model::colorByteOfPosition(model::sliderPositionOfByte(byte)));
        if (value != stored[i]) editedColor(edit, channel)[i] = value;
    }
    if (!edit.empty()) change(*opened.material, edit);
}

}  // namespace editor
