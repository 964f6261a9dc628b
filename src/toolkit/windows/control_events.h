// The events controls report.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace toolkit {

class Control;

// Mouse buttons as the mouse events report them.
enum MouseButton : int { NoButton = 0, LeftButton = 1, RightButton = 2, MiddleButton = 3 };

struct MouseInfo {
    int button = NoButton;
    std::uint32_t shift = 0;  // the MK_ key bits of the message
    int x = 0;                // client pixels
    int y = 0;
};

using NotifyEvent = std::function<void(Control& sender)>;
using CloseEvent = std::function<void(Control& sender, bool& accept)>;
// The paths of the files dropped onto a form, in the order the shell gives.
using FilesDroppedEvent = std::function<void(Control& sender, const std::vector<std::wstring>& paths)>;
using PaintEvent = std::function<void(Control& sender, HDC dc)>;
using MouseEvent = std::function<void(Control& sender, const MouseInfo& mouse)>;
// The shift state of the key events: MK_SHIFT, MK_CONTROL and this bit for
// the Alt key.
constexpr std::uint32_t kAltShift = 0x20;
// The character by reference: set it to 0 and the control never sees it.
using KeyCharEvent = std::function<void(Control& sender, char& character, std::uint32_t shift)>;

}  // namespace toolkit
