// "Где используется материал": the frames that use the material the panel
// shows, one row a frame and level of detail with its faces (glows and
// instances marked), under the line the panel shows for it. It follows the
// shown material and changes nothing.
#pragma once

#include "core/object.h"
#include "editor/material_panel.h"
#include "editor/translated_captions.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"
#include "toolkit/windows/plain_controls.h"

namespace editor {

class UsageWindow : public core::ToolkitObject {
public:
    // Builds the (hidden) window over the panel. The application owns it.
    static UsageWindow& build(toolkit::Application& application, MaterialPanel& panel);

    // Makes the window visible and brings it to the front.
    void show();
    // The texts show in the language chosen now.
    void showTexts();

private:
    explicit UsageWindow(MaterialPanel& panel) : panel_(panel) {}
    void createControls();
    // Shows the uses of the panel's material.
    void refresh();

    MaterialPanel& panel_;
    TranslatedCaptions captions_;
    toolkit::Form* form_ = nullptr;
    toolkit::Label* summary_ = nullptr;
    toolkit::ListView* list_ = nullptr;
};

}  // namespace editor
