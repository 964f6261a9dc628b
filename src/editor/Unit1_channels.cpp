// The colour channels and the slider behaviour that the nine colour bars
// share with the two density bars.
#include "editor/Unit1.h"

namespace editor {

using namespace toolkit;

// The right button jumps between the ends; another button starts a drag
// that follows the pointer until the button is released or the pointer
// leaves the bar.
void MainWindow::sliderPressed(GradientProgressBar& bar, const MouseInfo& mouse) {
    if (mouse.button == RightButton) {
        bar.setProgress(bar.progress() == bar.maximum() ? 0 : bar.maximum());
        return;
    }
    if (bar.hasOnMouseMove()) return;
    bar.setOnMouseMove([this](Control& sender, const MouseInfo& moved) {
        sliderDragged(static_cast<GradientProgressBar&>(sender), moved);
    });
    sliderDragged(bar, mouse);
}

void MainWindow::sliderDragged(GradientProgressBar& bar, const MouseInfo& mouse) {
    bar.setProgress(model::dragPosition(mouse.x, bar.clientWidth()));  // the bars keep their range of 0..100
}

void MainWindow::endSliderDrag(GradientProgressBar& bar) { bar.setOnMouseMove(nullptr); }

void MainWindow::colorFromSlider(ColorChannelControls& channel, int component, int position) {
    channel.setComponent(component, model::colorByteOfPosition(position));
    channel.swatch->setStartColor(NormalLook, channel.dialog->color);
    channel.swatch->invalidate();
}

// A chosen colour is put on the nearest of the bars' levels.
void MainWindow::chooseColor(ColorChannelControls& channel) {
    if (!channel.dialog->execute()) return;
    const auto bars = channel.bars();
    for (std::size_t i = 0; i < bars.size(); ++i)
        bars[i]->setProgress(model::sliderPositionOfByte(channel.component(static_cast<int>(i))));
    channel.swatch->setStartColor(NormalLook, channel.dialog->color);
    channel.swatch->invalidate();
}

}  // namespace editor
