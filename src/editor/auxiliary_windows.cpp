#include "editor/auxiliary_windows.h"

#include "toolkit/windows/application.h"
#include "toolkit/windows/form.h"

namespace editor {

namespace {
struct AuxiliaryWindow {
    const char* caption;
    int left, top, clientWidth, clientHeight;
};

constexpr AuxiliaryWindow kAuxiliaryWindows[] = {
    {"Form3", 323, 143, 115, 33},  // Unit3
    {"Form4", 190, 186, 115, 31},  // Unit4
    {"Form5", 100, 135, 115, 31},  // Unit5
    {"Form6", 137, 243, 115, 27},  // Unit6
};
}  // namespace

void buildAuxiliaryWindows(toolkit::Application& application) {
    for (const AuxiliaryWindow& window : kAuxiliaryWindows) {
        toolkit::Form& form = toolkit::newForm(application, window.caption);
        form.setPosition(window.left, window.top);
        form.setVisible(false);
        form.setClientSize(window.clientWidth, window.clientHeight);
    }
}

}  // namespace editor
