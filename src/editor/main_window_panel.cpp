// The material properties panel: showing a material, writing the panel back
// into it, the flag check boxes with their rules, the texture-name boxes and
// the animation settings.
#include "core/text.h"
#include "editor/main_window.h"
#include "editor/viewer_window.h"
#include "toolkit/windows/message_box.h"
#include "toolkit/windows/plain_controls.h"
#include "toolkit/windows/status_bar.h"

namespace editor {

using namespace toolkit;
using model::MaterialEdit;
using model::TextureKind;

namespace {

constexpr char kEnterHint[] = "Для принятия изменений нажмите <Enter> после редактирования текста";
constexpr char kFramesRefused[] = "Максимально возможное количество кадров: 255";
constexpr char kNotAnimatable[] = "Diffuse текстура должна иметь имя формата *00.bmp";
constexpr char kNameRefused[] = "Имя текстуры не должно быть длиннее 255 символов и содержать символ |";
constexpr char kAlphaNameNotStored[] =
    "Alfa текстура хранится в модели только вместе с основной текстурой без собственного альфа-канала";
constexpr char kAlphaNameWouldVanish[] =
    "Без основной текстуры alfa текстура не сохранится: сначала очистите имя alfa текстуры";
constexpr char kEnter = 13;

// The animation settings of a material that has none.
constexpr std::uint8_t kDefaultFrames = 2;
constexpr std::int32_t kDefaultDelay = 10;

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

}  // namespace

const model::Color& MainWindow::storedColor(const model::Material& material, std::size_t channel) {
    return channel == 0 ? material.ambient() : channel == 1 ? material.diffuse() : material.emission();
}

MaterialEdit::ColorEdit& MainWindow::editedColor(MaterialEdit& edit, std::size_t channel) {
    return channel == 0 ? edit.ambient : channel == 1 ? edit.diffuse : edit.emission;
}

std::uint8_t ColorChannelControls::component(int index) const {
    return static_cast<std::uint8_t>(dialog->color >> (8 * index));
}

void ColorChannelControls::setComponent(int index, std::uint8_t value) {
    const Color mask = Color{0xFF} << (8 * index);
    dialog->color = (dialog->color & ~mask) | (Color{value} << (8 * index));
}

std::array<std::pair<GradientCheckBox*, std::uint32_t>, 6> MainWindow::flagBoxes() const {
    return {{
        {diffuseChannelBox_, model::DiffuseChannel},
        {extraSettingsBox_, model::ExtraSettings},
        {doubleSidedBox_, model::DoubleSided},
        {diffuseHighlightBox_, model::DiffuseHighlight},
        {alphaHighlightBox_, model::AlphaHighlight},
        {colorTransparencyBox_, model::ColorTransparency},
    }};
}

EditBox& MainWindow::nameBox(TextureKind kind) const {
    return kind == model::ReflectionKind ? *reflectionNameBox_
                                         : kind == model::DiffuseKind ? *diffuseNameBox_ : *alphaNameBox_;
}

std::string& MainWindow::panelName(TextureKind kind) {
    return kind == model::ReflectionKind ? panelReflectionName_
                                         : kind == model::DiffuseKind ? panelDiffuseName_ : panelAlphaName_;
}

// Before a material is shown, the panel is written back into the one it
// shows, whatever order the list reports its rows' changes in; also when it
// is the same material, which the panel may have been edited for while no
// row was selected. Writing back only what changed makes that harmless.
void MainWindow::showMaterial(model::Material& material) {
    applyPanel();
    currentMaterial_ = &material;

    auto allChannels = channels();
    for (std::size_t c = 0; c < allChannels.size(); ++c) {
        const model::Color& color = storedColor(material, c);
        const auto bars = allChannels[c]->bars();
        for (std::size_t i = 0; i < bars.size(); ++i) bars[i]->setProgress(model::sliderPositionOf(color[i]));
    }

    // Each box gets its own name, also when a stored name holds the
    // separator, which would put a split of the joined names in the wrong boxes.
    const std::array<std::string, 3> names{std::string(material.reflectionName()),
                                           std::string(material.diffuseName()), std::string(material.alphaName())};
    for (TextureKind kind : kTextureKinds) {
        panelName(kind) = names[kind];
        nameBox(kind).setCaption(names[kind]);
        if (viewer_ != nullptr) viewer_->loadImage(tabOf(kind), names[kind]);
    }

    reflectionDensityBar_->setProgress(model::sliderPositionOf(material.reflectionDensity()));
    diffuseDensityBar_->setProgress(model::sliderPositionOf(material.density()));

    for (const auto& [box, mask] : flagBoxes()) box->setChecked((material.flags() & mask) != 0);

    std::uint32_t delay = 0;
    if ((material.flags() & model::AnimatedDiffuse) != 0 && material.getAnimation(panelFrames_, delay)) {
        panelDelay_ = static_cast<std::int32_t>(delay);
        animateBox_->setChecked(true);
        framesBox_->setEnabled(true);
        delayBox_->setEnabled(true);
        showAnimationSettings();
    } else {
        animateBox_->setChecked(false);
        panelFrames_ = kDefaultFrames;
        panelDelay_ = kDefaultDelay;
        showAnimationSettings();
        framesBox_->setEnabled(false);
        delayBox_->setEnabled(false);
    }
    shownState_ = panelState();
}

PanelState MainWindow::panelState() const {
    PanelState state;
    const auto allChannels = channels();
    for (std::size_t c = 0; c < allChannels.size(); ++c) {
        const auto bars = allChannels[c]->bars();
        for (std::size_t i = 0; i < bars.size(); ++i) state.colorPositions[c][i] = bars[i]->progress();
    }
    state.reflectionDensityPosition = reflectionDensityBar_->progress();
    state.densityPosition = diffuseDensityBar_->progress();
    state.names = {panelReflectionName_, panelDiffuseName_, panelAlphaName_};
    for (const auto& [box, mask] : flagBoxes())
        if (box->checked()) state.editorFlags |= mask;
    state.animated = animateBox_->checked();
    state.frames = panelFrames_;
    state.delay = static_cast<std::uint32_t>(panelDelay_);
    return state;
}

// Only what differs from the shown state is written: a value the user left
// alone keeps its exact stored form, and flag bits the panel does not manage
// are never touched.
MaterialEdit MainWindow::panelEdit(const PanelState& now) const {
    MaterialEdit edit;
    const auto allChannels = channels();
    for (std::size_t c = 0; c < allChannels.size(); ++c)
        for (std::size_t i = 0; i < 3; ++i)
            if (now.colorPositions[c][i] != shownState_.colorPositions[c][i])
                editedColor(edit, c)[i] = model::valueOfColorByte(allChannels[c]->component(static_cast<int>(i)));
    if (now.reflectionDensityPosition != shownState_.reflectionDensityPosition)
        edit.reflectionDensity = model::valueOfSliderPosition(now.reflectionDensityPosition);
    if (now.densityPosition != shownState_.densityPosition)
        edit.density = model::valueOfSliderPosition(now.densityPosition);
    for (TextureKind kind : kTextureKinds)
        if (now.names[kind] != shownState_.names[kind]) edit.names[kind] = now.names[kind];
    edit.flagsToSet = now.editorFlags & ~shownState_.editorFlags;
    edit.flagsToClear = shownState_.editorFlags & ~now.editorFlags;
    const bool animationChanged =
        now.animated != shownState_.animated ||
        (now.animated && (now.frames != shownState_.frames || now.delay != shownState_.delay));
    // The material animates only a "00" diffuse name with two frames or
    // more; otherwise checked settings drop the animation, as unchecked ones
    // do, which is no change for a material without one.
    const bool holds = now.animated && model::isFrameCount(now.frames) &&
                       model::Material::qualifiesForAnimation(now.names[model::DiffuseKind]);
    if (animationChanged && (holds || currentMaterial_->animation()))
        edit.animation = holds ? std::optional<model::Animation>(model::Animation{now.frames, now.delay})
                               : std::optional<model::Animation>();
    return edit;
}

// The panel takes only what the edit rules allow (the name box's rule,
// frame counts of 2..255, bars within 0..100), so the change is never
// refused; a stored name the material cannot take again (one holding the
// separator) is not rewritten unless the user confirms another name.
void MainWindow::applyPanel() {
    if (currentMaterial_ == nullptr) return;
    const PanelState now = panelState();
    const MaterialEdit edit = panelEdit(now);
    if (!edit.empty()) changeMaterial(*currentMaterial_, edit);
    shownState_ = now;
}

void MainWindow::changeMaterial(model::Material& material, const MaterialEdit& edit) {
    model::MaterialState before = material.state();
    if (!model::applyEdit(material, edit)) return;
    model::MaterialState after = material.state();
    if (after == before) return;
    history_.record(model_.materials().numberOf(&material), std::move(before), std::move(after));
    updateUndoItems();
}

bool MainWindow::noticeKeptThePanel(const char* text) {
    const PanelShowing before = panelShowing();
    messageBox(text, kNoticeMessage);
    return stillShows(before);
}

void MainWindow::flagBoxClicked(GradientCheckBox& box) {
    const bool checked = box.checked();
    if (&box == doubleSidedBox_ || &box == colorTransparencyBox_) {
        if (checked) extraSettingsBox_->setChecked(true);
    } else if (&box == diffuseHighlightBox_) {
        if (checked) {
            extraSettingsBox_->setChecked(true);
            alphaHighlightBox_->setChecked(false);
        }
    } else if (&box == alphaHighlightBox_) {
        if (checked) {
            extraSettingsBox_->setChecked(true);
            diffuseHighlightBox_->setChecked(false);
        }
    } else if (&box == extraSettingsBox_) {
        if (!checked)
            for (GradientCheckBox* dependent :
                 {doubleSidedBox_, diffuseHighlightBox_, alphaHighlightBox_, colorTransparencyBox_})
                dependent->setChecked(false);
    }
}

// Names too long for a material or holding its separator are refused here,
// so that the panel never holds a name the material cannot take.
void MainWindow::nameKeyTyped(TextureKind kind, char character) {
    if (materialList_->itemCount() == 0) return;
    if (character != kEnter) {
        setStatusText(kEnterHint);
        return;
    }
    EditBox& box = nameBox(kind);
    const std::optional<std::string> typed = box.exactCaption();
    const std::optional<std::string> name = typed ? model::acceptTextureName(*typed) : std::nullopt;
    if (!name) {
        if (noticeKeptThePanel(typed ? kNameRefused : kNameNotInCodePage)) box.setCaption(panelName(kind));
        return;
    }
    // The file stores an alpha name only after a diffuse name and for a
    // diffuse image without its own alpha: a name that would break that is
    // refused, not lost on saving.
    const std::string& diffuse = kind == model::DiffuseKind ? *name : panelDiffuseName_;
    const std::string& alpha = kind == model::AlphaKind ? *name : panelAlphaName_;
    const std::uint32_t flags = currentMaterial_ != nullptr ? currentMaterial_->flags() : 0;
    if (const auto refusal = model::alphaNameRefusal(flags, diffuse, alpha, kind == model::AlphaKind)) {
        const bool notStored = *refusal == model::EditRefusal::AlphaNameNotStored;
        if (noticeKeptThePanel(notStored ? kAlphaNameNotStored : kAlphaNameWouldVanish))
            box.setCaption(panelName(kind));
        return;
    }
    if (*name != *typed) box.setCaption(*name);
    panelName(kind) = *name;
    if (viewer_ != nullptr) viewer_->loadImage(tabOf(kind), *name);
    refreshShownRow();
    if (kind == model::DiffuseKind) checkAnimation();
}

void MainWindow::framesKeyTyped(char character) {
    if (character != kEnter) {
        setStatusText(kEnterHint);
        return;
    }
    // Read without wrapping at 32 bits, so that no long number passes as a
    // small one.
    const std::optional<std::uint8_t> frames = model::frameCountOfText(framesBox_->caption());
    if (!frames) {
        if (noticeKeptThePanel(kFramesRefused)) framesBox_->setCaption(core::intToText(panelFrames_));
        return;
    }
    panelFrames_ = *frames;
}

void MainWindow::delayKeyTyped(char character) {
    if (character != kEnter) {
        setStatusText(kEnterHint);
        return;
    }
    panelDelay_ = core::textToInt(delayBox_->caption());
}

void MainWindow::checkAnimation() {
    if (!animateBox_->checked()) return;
    if (!model::Material::qualifiesForAnimation(panelDiffuseName_)) {
        if (!noticeKeptThePanel(kNotAnimatable)) return;
        animateBox_->setChecked(false);
    }
    framesBox_->setEnabled(animateBox_->checked());
    delayBox_->setEnabled(animateBox_->checked());
    showAnimationSettings();
}

void MainWindow::showAnimationSettings() {
    framesBox_->setCaption(core::intToText(panelFrames_));
    delayBox_->setCaption(core::intToText(panelDelay_));
}

}  // namespace editor
