#include "toolkit/windows/native_window.h"

namespace toolkit {

namespace {
constexpr wchar_t kObjectProperty[] = L"Skirvane.Control";
}  // namespace

const wchar_t* NativeWindow::ownWindowClass(const wchar_t* name) {
    WNDCLASSEXW existing{sizeof existing};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing) == 0) {
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &NativeWindow::windowProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = name;
        RegisterClassExW(&windowClass);
    }
    return name;
}

NativeWindow* NativeWindow::objectOf(HWND window) {
    return window == nullptr ? nullptr : static_cast<NativeWindow*>(GetPropW(window, kObjectProperty));
}

void NativeWindow::adopt(HWND window) {
    if (objectOf(window) == this) return;
    attach(window);
    nativeProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeWindow::windowProcedure)));
}

void NativeWindow::destroyWindow() {
    if (window_ == nullptr) return;
    HWND window = window_;
    detach();
    DestroyWindow(window);
}

void NativeWindow::attach(HWND window) {
    window_ = window;
    SetPropW(window, kObjectProperty, this);
}

void NativeWindow::detach() {
    if (window_ == nullptr) return;
    RemovePropW(window_, kObjectProperty);
    if (nativeProcedure_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nativeProcedure_));
        nativeProcedure_ = nullptr;
    }
    window_ = nullptr;
}

LRESULT CALLBACK NativeWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    NativeWindow* object = objectOf(window);
    if (object == nullptr && message == WM_NCCREATE) {
        object = static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (object != nullptr) object->attach(window);
    }
    if (object == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC native = object->nativeProcedure_;
        object->detach();
        return native != nullptr ? CallWindowProcW(native, window, message, wParam, lParam)
                                 : DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (object->handleMessage(message, wParam, lParam, result)) return result;
    return object->defaultProcedure(message, wParam, lParam);
}

LRESULT NativeWindow::defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    if (nativeProcedure_ != nullptr) return CallWindowProcW(nativeProcedure_, window_, message, wParam, lParam);
    return DefWindowProcW(window_, message, wParam, lParam);
}

void NativeWindow::setStyleBits(DWORD mask, DWORD bits, bool extended) {
    const int index = extended ? GWL_EXSTYLE : GWL_STYLE;
    const auto current = static_cast<DWORD>(GetWindowLongPtrW(window_, index));
    SetWindowLongPtrW(window_, index, static_cast<LONG_PTR>((current & ~mask) | (bits & mask)));
}

}  // namespace toolkit
