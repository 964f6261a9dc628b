// The one-line hints the main window's status bar shows while the pointer
// is over a control.
#pragma once

#include <functional>
#include <string>

#include "toolkit/windows/control.h"

namespace editor {

// Sets a text in the main window's status bar.
using StatusText = std::function<void(const std::string& text)>;

// The hint while the pointer is over the control; an empty bar once it leaves.
inline void showHintWhileOver(toolkit::Control& control, const char* hint, const StatusText& statusText) {
    control.setOnMouseEnter([statusText, hint](toolkit::Control&) { statusText(hint); });
    control.setOnMouseLeave([statusText](toolkit::Control&) { statusText(""); });
}

}  // namespace editor
