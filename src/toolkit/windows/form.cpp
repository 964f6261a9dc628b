// Top-level forms: client size, icon, close requests, size limits, stay on
// top, and the show state kept while the application is minimised.
#include "toolkit/windows/form.h"

#include <windows.h>
#include <shellapi.h>

#include "core/code_page.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/main_menu.h"
#include "toolkit/windows/status_bar.h"

namespace toolkit {

namespace {
constexpr int kShowMinimisedNoActivate = SW_SHOWMINNOACTIVE;  // 7
constexpr int kShowMaximised = SW_SHOWMAXIMIZED;              // 3
constexpr int kShowNoActivate = SW_SHOWNOACTIVATE;            // 4
}  // namespace

Form::Form(Application& application, const std::string& caption)
    : Control(&application, ownWindowClass(L"Form")), application_(application) {
    caption_ = caption;
    visible_ = false;
    bounds_.left = bounds_.top = CW_USEDEFAULT;
}

DWORD Form::windowStyle() const {
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!enabled_) style |= WS_DISABLED;
    return style;
}

DWORD Form::windowExStyle() const { return WS_EX_CONTROLPARENT | (stayOnTop_ ? WS_EX_TOPMOST : 0); }

HWND Form::parentWindow() { return application_.createWindow(); }

HWND Form::makeWindow() {
    HWND window = CreateWindowExW(windowExStyle(), className_, core::toWide(caption_).c_str(), windowStyle(),
                                  bounds_.left, bounds_.top, bounds_.width, bounds_.height, parentWindow(), nullptr,
                                  GetModuleHandleW(nullptr), creationData());
    if (window == nullptr) return nullptr;
    if (icon_ != nullptr) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    if (menu_ != nullptr) SetMenu(window, menu_->handle());
    if (onFilesDropped_) DragAcceptFiles(window, TRUE);
    // The system may have placed it, or made it larger than asked.
    RECT bounds;
    GetWindowRect(window, &bounds);
    bounds_ = {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
    if (clientWidthWanted_ > 0 || clientHeightWanted_ > 0) {
        const int width = clientWidthWanted_, height = clientHeightWanted_;
        clientWidthWanted_ = clientHeightWanted_ = 0;
        setClientSize(width, height);
    }
    return window;
}

Form& Form::setClientSize(int width, int height) {
    if (window_ == nullptr) {
        // Remembered until the window exists and its frame can be measured.
        if (width > 0) clientWidthWanted_ = width;
        if (height > 0) clientHeightWanted_ = height;
        return *this;
    }
    RECT client;
    GetClientRect(window_, &client);
    RECT outer{0, 0, width > 0 ? width : client.right, height > 0 ? height : client.bottom};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), GetMenu(window_) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    setSize(outer.right - outer.left, outer.bottom - outer.top);
    return *this;
}

Form& Form::setSizeLimit(SizeLimit limit, int value) {
    sizeLimits_[limit] = value;
    return *this;
}

Form& Form::setIcon(HINSTANCE module, const char* resourceName) {
    icon_ = loadIcon(module, resourceName);
    if (window_ != nullptr) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    return *this;
}

Form& Form::setOnFilesDropped(FilesDroppedEvent handler) {
    onFilesDropped_ = std::move(handler);
    if (window_ != nullptr) DragAcceptFiles(window_, onFilesDropped_ ? TRUE : FALSE);
    return *this;
}

Form& Form::setStayOnTop(bool stayOnTop) {
    stayOnTop_ = stayOnTop;
    if (window_ != nullptr)
        SetWindowPos(window_, stayOnTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return *this;
}

void Form::showAndBringToFront() {
    setVisible(true);
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
    SetFocus(window_);
}

void Form::centre() {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    createWindow();
    setPosition((screenWidth - bounds_.width) / 2, (screenHeight - bounds_.height) / 2);
}

int Form::statusBarHeight() const { return statusBar_ != nullptr ? statusBar_->height() : 0; }

int Form::clientHeight() const { return Control::clientHeight() - statusBarHeight(); }

void Form::applicationMinimised() {
    if (!remembersShowState_ || window_ == nullptr || !IsWindowVisible(window_)) return;
    rememberedShowState_ = IsIconic(window_) ? kShowMinimisedNoActivate
                           : IsZoomed(window_) ? kShowMaximised
                                               : kShowNoActivate;
    ShowWindow(window_, SW_HIDE);
}

void Form::applicationRestored() {
    if (rememberedShowState_ == 0 || window_ == nullptr) return;
    ShowWindow(window_, rememberedShowState_);
    rememberedShowState_ = 0;
}

bool Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CLOSE: {
            bool accept = true;
            if (onClose_) onClose_(*this, accept);
            if (!accept) return true;
            if (application_.mainForm() == this)
                PostQuitMessage(0);
            else
                setVisible(false);
            return true;
        }
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (sizeLimits_[MinWidth] > 0) info->ptMinTrackSize.x = sizeLimits_[MinWidth];
            if (sizeLimits_[MinHeight] > 0) info->ptMinTrackSize.y = sizeLimits_[MinHeight];
            if (sizeLimits_[MaxWidth] > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = sizeLimits_[MaxWidth];
            if (sizeLimits_[MaxHeight] > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = sizeLimits_[MaxHeight];
            return true;
        }
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MINIMIZE && application_.minimiseForm() == this) {
                application_.minimise();
                return true;
            }
            return false;
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) == 0 && menu_ != nullptr) {
                menu_->commandChosen(LOWORD(wParam));
                return true;
            }
            return Control::handleMessage(message, wParam, lParam, result);
        case WM_MENUSELECT:
            if (menu_ != nullptr) menu_->itemHighlighted(LOWORD(wParam), HIWORD(wParam));
            return false;
        case WM_SIZE:
            if (statusBar_ != nullptr) statusBar_->formResized();
            return Control::handleMessage(message, wParam, lParam, result);
        case WM_ACTIVATE: {
            // The control that had the keyboard gets it back when the form is
            // active again (after the program was restored from the task
            // bar, say), as a dialog does.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focused = GetFocus();
                if (focused != nullptr && IsChild(window_, focused)) focusedChild_ = focused;
                return false;
            }
            if (focusedChild_ == nullptr || !IsChild(window_, focusedChild_) || HIWORD(wParam) != 0) return false;
            SetFocus(focusedChild_);
            return true;
        }
        case WM_DROPFILES: {
            const auto drop = reinterpret_cast<HDROP>(wParam);
            std::vector<std::wstring> paths(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
            for (UINT i = 0; i < paths.size(); ++i) {
                paths[i].resize(DragQueryFileW(drop, i, nullptr, 0));
                DragQueryFileW(drop, i, paths[i].data(), static_cast<UINT>(paths[i].size() + 1));
            }
            DragFinish(drop);
            if (onFilesDropped_) onFilesDropped_(*this, paths);
            return true;
        }
        case WM_DESTROY:
            // The window takes its menu bar with it.
            if (menu_ != nullptr && GetMenu(window_) == menu_->handle()) menu_->windowDestroyed();
            return Control::handleMessage(message, wParam, lParam, result);
        case WM_MOVE: {
            RECT bounds;
            GetWindowRect(window_, &bounds);
            bounds_.left = bounds.left;
            bounds_.top = bounds.top;
            return false;
        }
        default:
            return Control::handleMessage(message, wParam, lParam, result);
    }
}

}  // namespace toolkit
