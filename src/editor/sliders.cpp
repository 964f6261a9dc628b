#include "editor/sliders.h"

#include "model/material_edit.h"
#include "toolkit/windows/control.h"

namespace editor {

using namespace toolkit;

namespace {

void dragTo(GradientProgressBar& bar, const MouseInfo& mouse) {
    bar.setProgress(model::dragPosition(mouse.x, bar.clientWidth()));  // the bars keep their range of 0..100
}

void endDrag(GradientProgressBar& bar) { bar.setOnMouseMove(nullptr); }

// The right button jumps between the ends; another button starts a drag
// that follows the pointer.
void press(GradientProgressBar& bar, const MouseInfo& mouse) {
    if (mouse.button == RightButton) {
        bar.setProgress(bar.progress() == bar.maximum() ? 0 : bar.maximum());
        return;
    }
    if (bar.hasOnMouseMove()) return;
    bar.setOnMouseMove(
        [](Control& sender, const MouseInfo& moved) { dragTo(static_cast<GradientProgressBar&>(sender), moved); });
    dragTo(bar, mouse);
}

}  // namespace

void makeSlider(GradientProgressBar& bar, const StatusText& statusText) {
    bar.setOnMouseDown(
        [](Control& sender, const MouseInfo& mouse) { press(static_cast<GradientProgressBar&>(sender), mouse); });
    bar.setOnMouseUp([](Control& sender, const MouseInfo&) { endDrag(static_cast<GradientProgressBar&>(sender)); });
    bar.setOnMouseEnter([statusText](Control&) { statusText(text(TextName::SliderHint)); });
    bar.setOnMouseLeave([statusText](Control& sender) {
        endDrag(static_cast<GradientProgressBar&>(sender));
        statusText("");
    });
}

}  // namespace editor
