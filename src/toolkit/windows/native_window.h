// A window of the system tied to the object that stands for it.
#pragma once

#include <windows.h>

#include "core/object.h"

namespace toolkit {

// Every window of the toolkit goes through one window procedure, which
// finds the object by a property of the window and hands it the message.
// A window of the toolkit's own class is tied to its object by its first
// message; one of a native class is tied once made, its own procedure
// kept behind the toolkit's for what the object leaves to it.
class NativeWindow : public core::ToolkitObject {
public:
    // The window, or nullptr before it is made.
    HWND handle() const { return window_; }

    // Registers, on first use, a window class of the toolkit's own whose
    // windows all go through the toolkit's window procedure; gives its name.
    static const wchar_t* ownWindowClass(const wchar_t* name);

protected:
    NativeWindow() = default;

    // The object of a window, or nullptr.
    static NativeWindow* objectOf(HWND window);
    // What CreateWindowExW takes as its last argument, so that the window
    // procedure finds this object from the first message on.
    void* creationData() { return this; }
    // Ties a window just made for this object, unless its first message
    // did.
    void adopt(HWND window);
    // Unties the window and destroys it; nothing reaches this object from
    // it any more.
    void destroyWindow();
    // Whether the window is of a native class, which paints itself.
    bool native() const { return nativeProcedure_ != nullptr; }

    // Handles one message; returns true with `result` set when it is done,
    // false to let the default procedure handle it.
    virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The native class's procedure, or the system's default one.
    LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    // Sets the bits of the window's style (or extended style) that `mask`
    // covers to those of `bits`, leaving the others as the window has them
    // (shown, enabled, what the system set).
    void setStyleBits(DWORD mask, DWORD bits, bool extended);

    HWND window_ = nullptr;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND window);
    void detach();

    WNDPROC nativeProcedure_ = nullptr;
};

}  // namespace toolkit
