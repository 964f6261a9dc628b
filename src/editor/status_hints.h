// The one-line hints the main window's status bar shows while the pointer
// is over a control.
#pragma once

#include <functional>
#include <string>

#include "editor/texts/interface_texts.h"
#include "toolkit/windows/control.h"

namespace editor {

// Sets a text in the main window's status bar.
using StatusText = std::function<void(const std::string& text)>;

// The hint, in the language shown, while the pointer is over the control;
// an empty bar once it leaves.
inline void showHintWhileOver(toolkit::Control& control, TextName hint, const StatusText& statusText) {
    control.setOnMouseEnter([statusText, hint](toolkit::Control&) { statusText(text(hint)); });
    control.setOnMouseLeave([statusText](toolkit::Control&) { statusText(""); });
}

}  // namespace editor
