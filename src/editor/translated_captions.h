// The controls of a window whose captions come from the table of texts,
// each with its text's name, so that a change of language shows every one
// of them again in the new language.
#pragma once

#include <utility>
#include <vector>

#include "editor/texts/interface_texts.h"
#include "toolkit/windows/control.h"

namespace editor {

class TranslatedCaptions {
public:
    // Gives the control its text in the language shown and keeps the pair.
    template <class ControlType>
    ControlType& add(ControlType& control, TextName name) {
        control.setCaption(text(name));
        captions_.emplace_back(&control, name);
        return control;
    }
    // Every control kept shows its text in the language shown now.
    void show() const {
        for (const auto& [control, name] : captions_) control->setCaption(text(name));
    }

private:
    std::vector<std::pair<toolkit::Control*, TextName>> captions_;  // the window owns the controls
};

}  // namespace editor
