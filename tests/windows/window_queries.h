// What tests ask of any window, of their own process or of the program
// they drive: its class, its text (as the program's texts hold it, code
// page 1251), a window below it by class and text or by control id; and a
// dialog's button pressed.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace window_queries {

std::string toCp1251(const std::wstring& text);
std::wstring fromCp1251(const std::string& text);

std::wstring className(HWND window);
// Class names compare without regard to case, as the system compares them.
bool hasClass(HWND window, const std::wstring& name);
// Asked for with WM_GETTEXT, which the system carries across processes
// (GetWindowText does not ask the windows of other processes); empty when
// the window does not answer within five seconds.
std::string windowText(HWND window);
// The first window below `parent`, at any depth, of that class and, when
// given, that text.
HWND findDescendant(HWND parent, const std::wstring& className, const std::optional<std::string>& text = std::nullopt);
// The window below `parent`, at any depth, with that control id.
HWND findControl(HWND parent, int id);
// Presses a dialog's button by its control identifier (IDOK, IDCANCEL...).
void pressButton(HWND dialog, int buttonId);

}  // namespace window_queries
