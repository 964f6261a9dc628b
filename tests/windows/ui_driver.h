// Drives real windows in tests the way a user does: pumps messages, finds
// windows, and answers modal dialogs from a timer while they run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "window_queries.h"

namespace ui_driver {

using window_queries::className;
using window_queries::findDescendant;
using window_queries::pressButton;
using window_queries::windowText;

// Handles the messages of this thread for `milliseconds` (at least once).
void pumpMessages(int milliseconds = 0);
// Pumps until `found` gives a window or the time runs out; nullptr then.
HWND waitFor(const std::function<HWND()>& found, int timeoutMilliseconds = 5000);
// Whether the window, once painted, shows the colour anywhere in the area
// of its client area.
bool anyPixelIs(HWND window, const RECT& area, COLORREF color);
// A visible top-level window of this process with that caption and,
// unless empty, that class ("#32770" is the class of dialogs).
HWND findTopLevel(const std::wstring& caption, const std::wstring& className = L"");

// Runs `answer` with the first window `found` gives while the code under
// test runs (for instance inside a modal dialog's own loop); the timer
// checks every 50 ms and gives up after `timeoutMilliseconds`.
class DialogAnswerer {
public:
    DialogAnswerer(std::function<HWND()> found, std::function<void(HWND)> answer, int timeoutMilliseconds = 10000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool answered() const { return answered_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
    std::function<HWND()> found_;
    std::function<void(HWND)> answer_;
    DWORD deadline_;
    UINT_PTR timer_ = 0;
    bool answered_ = false;
};

}  // namespace ui_driver
