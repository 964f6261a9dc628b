// How a gradient control that reacts to the mouse follows the pointer, the
// left and right buttons, the space key and the focus: the messages of its
// window go through the interaction rules (gradient::Interaction), and each
// reaction they bring goes back to the control.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "toolkit/gradient/gradient_transitions.h"

namespace toolkit {

class GradientInteraction {
public:
    using React = std::function<void(const gradient::Reaction& reaction)>;

    explicit GradientInteraction(React react) : react_(std::move(react)) {}

    // One message of the control's window.
    void handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Forgets the pointer and any press (the control was disabled).
    void reset() { state_ = {}; }

private:
    void handlePointer(HWND window, UINT message, LPARAM lParam);

    gradient::Interaction state_;
    React react_;
};

}  // namespace toolkit
