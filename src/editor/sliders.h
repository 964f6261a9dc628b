// What every bar of the panel does as a slider: the right button jumps
// between the ends, another button takes the bar and drags it with the
// pointer until the button is released or the pointer leaves it, and the
// status bar shows a hint while the pointer is over it.
#pragma once

#include "editor/status_hints.h"
#include "toolkit/gradient/gradient.h"

namespace editor {

void makeSlider(toolkit::GradientProgressBar& bar, const StatusText& statusText);

}  // namespace editor
