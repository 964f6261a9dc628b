#include "editor/texture_settings.h"

#include <optional>

#include "core/text.h"
#include "editor/control_ids.h"
#include "editor/presets.h"
#include "model/material_edit.h"

namespace editor {

using namespace toolkit;
using model::TextureKind;

namespace {

constexpr char kEnter = 13;

// The animation settings of a material that has none.
constexpr std::uint8_t kDefaultFrames = 2;
constexpr std::int32_t kDefaultDelay = 10;

}  // namespace

TextureSettings::TextureSettings(Control& panel, TranslatedCaptions& captions, Host host) : host_(std::move(host)) {
    GradientPanel& group = newGradientPanel(panel);
    group.setPosition(322, 363).setSize(305, 143);
    applyShadedGroupPanelPreset(group, 0xC0C0C0, 0xE2E2E2);
    group.setAnchors(true, false, false, true);

    Label& hint = captions.add(newExplanation(group, "", 8, 96, 289, 41), TextName::AnimationNote);
    hint.setTextAlignment(CentredText);
    hint.setTransparent(true);
    hint.setBackgroundColor(0xEEEEEE);
    Label& framesLabel = captions.add(newLabel(group, ""), TextName::FrameCount);
    framesLabel.setPosition(8, 37).setSize(193, 15).setFontColor(0x000000).setFontHeight(14).setTransparent(true);
    Label& delayLabel = captions.add(newLabel(group, ""), TextName::FrameDelay);
    delayLabel.setPosition(8, 69).setSize(193, 15).setFontColor(0x000000).setFontHeight(14).setTransparent(true);

    GradientPanel& delayFrame = newGradientPanel(group);
    delayFrame.setPosition(208, 64).setSize(89, 25).setFontHeight(14);
    applyEditFramePreset(delayFrame, EditFrameVariant::NormalOnly);
    delayBox_ = &newTextBox(delayFrame, DigitsOnly, DelayBoxId, [this](char c) { delayKeyTyped(c); });
    delayBox_->setCaption("0").setEnabled(false);
    GradientPanel& framesFrame = newEditFrame(group, 208, 32, 89, 25, EditFrameVariant::NormalOnly);
    framesBox_ = &newTextBox(framesFrame, DigitsOnly, FramesBoxId, [this](char c) { framesKeyTyped(c); });
    framesBox_->setCaption("0").setEnabled(false);

    animateBox_ = &captions.add(newGradientCheckBox(group, ""), TextName::AnimateTexture);
    animateBox_->setPosition(8, 6).setSize(289, 21).setFontColor(0x000000).setId(AnimateBoxId);
    applyCheckBoxPreset(*animateBox_, CheckBoxVariant::Large);
    animateBox_->setOnClick([this](Control&) { checkAnimation(); });

    // The frames in the layout's order: reflection, alpha, diffuse.
    for (const auto& [kind, top] : {std::pair{model::ReflectionKind, 260}, std::pair{model::AlphaKind, 430},
                                    std::pair{model::DiffuseKind, 366}}) {
        GradientPanel& frame = newEditFrame(panel, 24, top, 185, 24, EditFrameVariant::Full);
        nameBoxes_[kind] = &newTextBox(frame, UpperCase, ReflectionNameBoxId + static_cast<int>(kind),
                                       [this, kind](char c) { nameKeyTyped(kind, c); });
    }
}

EditBox& TextureSettings::newTextBox(GradientPanel& frame, unsigned options, int id,
                                     std::function<void(char)> keyTyped) {
    EditBox& box = newEmbeddedEdit(frame, options);
    box.setId(id);
    box.setBackgroundColor(kEmbeddedEditBackground);
    showHintWhileOver(box, TextName::EditHint, host_.statusText);
    box.setOnKeyChar([keyTyped](Control&, char& character, std::uint32_t) { keyTyped(character); });
    return box;
}

// Each box gets its own name, also when a stored name holds the separator,
// which would put a split of the joined names in the wrong boxes.
void TextureSettings::show(const model::Material& material) {
    for (const TextureKind kind : {model::ReflectionKind, model::DiffuseKind, model::AlphaKind}) {
        names_[kind] = std::string(material.textureName(kind));
        nameBoxes_[kind]->setCaption(names_[kind]);
    }
    std::uint32_t delay = 0;
    const bool animated = (material.flags() & model::AnimatedDiffuse) != 0 && material.getAnimation(frames_, delay);
    animateBox_->setChecked(animated);
    if (animated) {
        delay_ = static_cast<std::int32_t>(delay);
    } else {
        frames_ = kDefaultFrames;
        delay_ = kDefaultDelay;
    }
    enableAnimationBoxes(animated);
    showAnimationSettings();
}

bool TextureSettings::animated() const { return animateBox_->checked(); }

void TextureSettings::clearName(TextureKind kind) {
    names_[kind].clear();
    nameBoxes_[kind]->setCaption("");
}

// Names too long for a material, holding its separator or an alpha name
// the file could not store beside the diffuse name are refused here, so
// that the panel never holds a name the material cannot take.
void TextureSettings::nameKeyTyped(TextureKind kind, char character) {
    if (!host_.listHasRows()) return;
    if (character != kEnter) {
        host_.statusText(text(TextName::EnterHint));
        return;
    }
    EditBox& box = *nameBoxes_[kind];
    const std::optional<std::string> typed = box.exactCaption();
    const std::optional<std::string> name = typed ? model::acceptTextureName(*typed) : std::nullopt;
    if (!name) {
        if (host_.notice(typed ? TextName::NameRefused : TextName::NameNotInCodePage)) box.setCaption(names_[kind]);
        return;
    }
    const std::string& diffuse = kind == model::DiffuseKind ? *name : names_[model::DiffuseKind];
    const std::string& alpha = kind == model::AlphaKind ? *name : names_[model::AlphaKind];
    if (const auto refusal = model::alphaNameRefusal(host_.shownFlags(), diffuse, alpha, kind == model::AlphaKind)) {
        const bool notStored = *refusal == model::EditRefusal::AlphaNameNotStored;
        if (host_.notice(notStored ? TextName::AlphaNameNotStored : TextName::AlphaNameWouldVanish))
            box.setCaption(names_[kind]);
        return;
    }
    if (*name != *typed) box.setCaption(*name);
    names_[kind] = *name;
    host_.nameTaken(kind);
    if (kind == model::DiffuseKind) checkAnimation();
}

void TextureSettings::framesKeyTyped(char character) {
    if (character != kEnter) {
        host_.statusText(text(TextName::EnterHint));
        return;
    }
    // Read without wrapping at 32 bits, so that no long number passes as a
    // small one.
    const std::optional<std::uint8_t> frames = model::frameCountOfText(framesBox_->caption());
    if (!frames) {
        if (host_.notice(TextName::FramesRefused)) framesBox_->setCaption(core::intToText(frames_));
        return;
    }
    frames_ = *frames;
}

void TextureSettings::delayKeyTyped(char character) {
    if (character != kEnter) {
        host_.statusText(text(TextName::EnterHint));
        return;
    }
    delay_ = core::textToInt(delayBox_->caption());
}

// Unchecking leaves the boxes as they are.
void TextureSettings::checkAnimation() {
    if (!animateBox_->checked()) return;
    if (!model::Material::qualifiesForAnimation(names_[model::DiffuseKind])) {
        if (!host_.notice(TextName::NotAnimatable)) return;
        animateBox_->setChecked(false);
    }
    enableAnimationBoxes(animateBox_->checked());
    showAnimationSettings();
}

void TextureSettings::showAnimationSettings() {
    framesBox_->setCaption(core::intToText(frames_));
    delayBox_->setCaption(core::intToText(delay_));
}

void TextureSettings::enableAnimationBoxes(bool enabled) {
    framesBox_->setEnabled(enabled);
    delayBox_->setEnabled(enabled);
}

}  // namespace editor
