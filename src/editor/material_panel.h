// The material properties panel on the right of the main window: every
// editable property of the shown material has a control here. The panel
// works on a copy: showing a material puts its values into the controls,
// the user edits them, and writing back turns what differs from what was
// shown into one change that the document makes to the material.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editor/color_channel.h"
#include "editor/flag_boxes.h"
#include "editor/status_hints.h"
#include "editor/texture_settings.h"
#include "editor/translated_captions.h"
#include "model/document.h"
#include "model/material_edit.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/dialogs.h"
#include "toolkit/windows/form.h"

namespace editor {

class ViewerWindow;

// What the panel holds of a material, in the panel's own terms: enough to
// tell what the user changed since the material was shown.
struct PanelState {
    std::array<std::array<int, 3>, 3> colorPositions{};  // ambient, diffuse, emission; red, green, blue
    int reflectionDensityPosition = 0;
    int densityPosition = 0;
    std::array<std::string, 3> names;  // by model::TextureKind
    std::uint32_t flags = 0;           // the flag word, six bits of it in the check boxes
    bool animated = false;
    std::uint8_t frames = 0;
    std::uint32_t delay = 0;
};

class MaterialPanel {
public:
    // What the panel needs of the rest of the main window.
    struct Host {
        StatusText statusText;
        std::function<bool()> listHasRows;
        // The shown material's row shows these joined names.
        std::function<void(const model::Material& material, const std::string& names)> refreshRow;
        // The document changed a material.
        std::function<void()> changed;
        std::function<void()> showViewer;
        // The user asks where the shown material is used.
        std::function<void()> showUsage;
    };
    // The channels' colour dialogs, ambient, diffuse and emission.
    using ColorDialogs = std::array<toolkit::ColorDialog*, 3>;

    MaterialPanel(toolkit::Form& form, model::Document& document, const ColorDialogs& dialogs, Host host);

    // The viewer the panel hands texture names and the colour-key bit to.
    void attachViewer(ViewerWindow& viewer) { viewer_ = &viewer; }
    // Writes the panel back into the material it shows, then shows this one.
    void show(model::Material& material);
    // Makes what the user changed since the material was shown a change of
    // that material.
    void writeBack();
    // Whether the panel holds a change that the next write-back makes.
    bool holdsChange() const;
    // The texts show in the language chosen now; the panel keeps what it
    // holds.
    void showTexts();
    // The materials are gone: the panel shows none until the next show.
    void forget();
    // The number of the material shown, 0 for none; `shownChanged` runs
    // whenever another (or none) is shown.
    std::int32_t shownNumber() const;
    void onShownChanged(std::function<void()> shownChanged) { shownChanged_ = std::move(shownChanged); }
    const model::Document& document() const { return document_; }

    // The flag word the panel holds for the shown material: its check boxes
    // and what the flags window changed. The window changes it as it is,
    // without the boxes' rules; `flagsChanged` runs whenever it changes
    // otherwise (a material shown, a box clicked).
    bool showsMaterial() const { return shown_ != nullptr; }
    std::uint32_t flags() const { return flags_; }
    void setFlags(std::uint32_t flags);
    void onFlagsChanged(std::function<void()> flagsChanged) { flagsChanged_ = std::move(flagsChanged); }
    // The alpha name the panel holds, and taking it away (as the name box
    // does when emptied).
    const std::string& alphaName() const { return textures_->name(model::AlphaKind); }
    void removeAlphaName();

    // What the panel shows, kept by a handler that waits on a dialog or a
    // message box: the main window stays usable meanwhile, and the handler
    // goes on only while the panel still shows the same material.
    struct Showing {
        model::Material* material;
        std::uint64_t generation;  // of the document's models
        bool operator==(const Showing&) const = default;
    };
    Showing showing() const { return {shown_, document_.generation()}; }

private:
    // Shows an information notice; true when the panel still shows what it
    // showed before.
    bool noticeKeptThePanel(TextName notice);
    PanelState state() const;
    // The change that turns what was shown into what the panel holds now.
    model::MaterialEdit edit(const PanelState& now) const;
    void change(model::Material& material, const model::MaterialEdit& edit);
    void chooseColor(std::size_t channel);
    void loadImage(model::TextureKind kind, const std::string& name);
    // The viewer shows the diffuse image with the colour-key bit the panel
    // holds.
    void showColorKey();
    // The panel holds a new name of this kind: the viewer and the row show it.
    void nameTaken(model::TextureKind kind);
    // The shown material changed: the usage line and whoever follows it
    // show the new one.
    void shownMaterialChanged();

    model::Document& document_;
    Host host_;
    TranslatedCaptions captions_;
    ViewerWindow* viewer_ = nullptr;
    std::array<std::unique_ptr<ColorChannel>, 3> channels_;  // ambient, diffuse, emission
    toolkit::GradientProgressBar* reflectionDensityBar_ = nullptr;
    toolkit::GradientProgressBar* densityBar_ = nullptr;
    std::unique_ptr<TextureSettings> textures_;
    std::unique_ptr<FlagBoxes> flagBoxes_;
    toolkit::Label* usageLine_ = nullptr;  // where the shown material is used
    std::uint32_t flags_ = 0;
    std::function<void()> flagsChanged_ = [] {};
    std::function<void()> shownChanged_ = [] {};
    // The material the panel shows and writes back into (none before the
    // first show and once its model is gone), and the panel as it was shown
    // or last written back.
    model::Material* shown_ = nullptr;
    PanelState shownState_;
};

}  // namespace editor
