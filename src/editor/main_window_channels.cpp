// The colour channels and the slider behaviour that the nine colour bars
// share with the two density bars.
#include <algorithm>

#include "editor/main_window.h"
#include "toolkit/windows/control.h"

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

void MainWindow::setChannelColor(ColorChannelControls& channel, Color color) {
    channel.dialog->color = color;
    const auto bars = channel.bars();
    for (std::size_t i = 0; i < bars.size(); ++i)
        bars[i]->setProgress(model::sliderPositionOfByte(channel.component(static_cast<int>(i))));
    channel.swatch->setStartColor(NormalLook, channel.dialog->color);
    channel.swatch->invalidate();
}

// A chosen colour is put on the nearest of the bars' levels. The main
// window stays usable while the dialog is open: when the panel shows
// another material by the time the colour is chosen, the colour goes to the
// material the dialog was opened for, and the channel keeps the shown one's.
void MainWindow::chooseColor(ColorChannelControls& channel) {
    const PanelShowing opened = panelShowing();
    if (!channel.dialog->execute()) return;
    const Color chosen = channel.dialog->color;
    if (stillShows(opened)) {
        setChannelColor(channel, chosen);
        return;
    }
    const auto bars = channel.bars();
    for (std::size_t i = 0; i < bars.size(); ++i)
        channel.setComponent(static_cast<int>(i), model::colorByteOfPosition(bars[i]->progress()));
    if (opened.material != nullptr && opened.model == modelsOpened_) writeChosenColor(*opened.material, channel, chosen);
}

void MainWindow::writeChosenColor(model::Material& material, const ColorChannelControls& channel, Color color) {
    const auto all = channels();
    const auto index = static_cast<std::size_t>(std::find(all.begin(), all.end(), &channel) - all.begin());
    model::MaterialEdit edit;
    const model::Color& stored = storedColor(material, index);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(color >> (8 * i));
        const float value = model::valueOfColorByte(model::colorByteOfPosition(model::sliderPositionOfByte(byte)));
        if (value != stored[i]) editedColor(edit, index)[i] = value;
    }
    if (!edit.empty()) changeMaterial(material, edit);
}

}  // namespace editor
