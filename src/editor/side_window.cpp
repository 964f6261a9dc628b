#include "editor/side_window.h"

namespace editor {

toolkit::Form& newSideWindow(toolkit::Application& application, const std::string& caption, int left, int top,
                             int width, int height) {
    toolkit::Form& form = toolkit::newForm(application, caption);
    form.setDoubleBuffered(true);
    form.setPosition(left, top);
    form.setClientSize(width, height);
    form.setBackgroundColor(0xE1E1E1);
    form.setFontHeight(14);
    form.setOnClose([&form](toolkit::Control&, bool& accept) {
        form.setVisible(false);  // closing only hides it
        accept = false;
    });
    return form;
}

}  // namespace editor
