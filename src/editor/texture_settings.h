// The texture-name boxes and the animation settings of the material panel.
// The settings hold working copies of the three names, the frame count and
// the delay; typed text is taken over only with Enter, refused as a notice
// says why, and reaches the material when the panel is written back.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "editor/status_hints.h"
#include "editor/translated_captions.h"
#include "model/material.h"
#include "toolkit/gradient/gradient.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

class TextureSettings {
public:
    // What the settings need of the rest of the main window.
    struct Host {
        StatusText statusText;
        std::function<bool()> listHasRows;
        // A name was taken: the viewer and the list row show it.
        std::function<void(model::TextureKind kind)> nameTaken;
        // Shows a notice; true when the panel still shows the same material
        // once it is closed (the main window stays usable meanwhile).
        std::function<bool(TextName notice)> notice;
        // The flag word the panel holds, which decides whether the material
        // can store an alpha name.
        std::function<std::uint32_t()> shownFlags;
    };

    // Makes the animation group and the name boxes in the settings panel,
    // their captions kept with the panel's.
    TextureSettings(toolkit::Control& panel, TranslatedCaptions& captions, Host host);

    // Shows the material's names and animation.
    void show(const model::Material& material);

    const std::string& name(model::TextureKind kind) const { return names_[kind]; }
    // Empties a name and its box, as Enter on an empty box would.
    void clearName(model::TextureKind kind);
    const std::array<std::string, 3>& names() const { return names_; }
    bool animated() const;
    std::uint8_t frames() const { return frames_; }
    std::int32_t delay() const { return delay_; }

private:
    void nameKeyTyped(model::TextureKind kind, char character);
    void framesKeyTyped(char character);
    void delayKeyTyped(char character);
    // The animation box's rule: an animated diffuse name needs "00" before
    // its extension.
    void checkAnimation();
    void showAnimationSettings();
    void enableAnimationBoxes(bool enabled);
    toolkit::EditBox& newTextBox(toolkit::GradientPanel& frame, unsigned options, int id,
                                 std::function<void(char)> keyTyped);

    Host host_;
    std::array<std::string, 3> names_;  // by model::TextureKind
    std::uint8_t frames_ = 0;
    std::int32_t delay_ = 0;
    std::array<toolkit::EditBox*, 3> nameBoxes_{};
    toolkit::GradientCheckBox* animateBox_ = nullptr;
    toolkit::EditBox* framesBox_ = nullptr;
    toolkit::EditBox* delayBox_ = nullptr;
};

}  // namespace editor
