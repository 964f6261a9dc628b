#include "ui_driver.h"

#include <map>

namespace ui_driver {

namespace {
std::map<UINT_PTR, DialogAnswerer*>& answerers() {
    static std::map<UINT_PTR, DialogAnswerer*> byTimer;
    return byTimer;
}
}  // namespace

void pumpMessages(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (milliseconds > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

bool anyPixelIs(HWND window, const RECT& area, COLORREF color) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    bool found = false;
    for (int y = area.top; y < area.bottom && !found; ++y)
        for (int x = area.left; x < area.right && !found; ++x) found = GetPixel(dc, x, y) == color;
    ReleaseDC(window, dc);
    return found;
}

HWND waitFor(const std::function<HWND()>& found, int timeoutMilliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMilliseconds);
    for (;;) {
        if (HWND window = found()) return window;
        if (static_cast<LONG>(end - GetTickCount()) <= 0) return nullptr;
        pumpMessages(20);
    }
}

HWND findTopLevel(const std::wstring& caption, const std::wstring& wantedClass) {
    struct Search {
        const std::wstring& caption;
        const std::wstring& wantedClass;
        HWND result;
    } search{caption, wantedClass, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t text[512] = L"";
            GetWindowTextW(window, text, 512);
            if (!IsWindowVisible(window) || s.caption != text) return TRUE;
            if (!s.wantedClass.empty() && className(window) != s.wantedClass) return TRUE;
            s.result = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.result;
}

DialogAnswerer::DialogAnswerer(std::function<HWND()> found, std::function<void(HWND)> answer,
                               int timeoutMilliseconds)
    : found_(std::move(found)),
      answer_(std::move(answer)),
      deadline_(GetTickCount() + static_cast<DWORD>(timeoutMilliseconds)) {
    timer_ = SetTimer(nullptr, 0, 50, &DialogAnswerer::tick);
    answerers()[timer_] = this;
}

DialogAnswerer::~DialogAnswerer() {
    if (timer_ != 0) {
        KillTimer(nullptr, timer_);
        answerers().erase(timer_);
    }
}

void CALLBACK DialogAnswerer::tick(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = answerers().find(id);
    if (it == answerers().end()) return;
    DialogAnswerer& self = *it->second;
    HWND window = self.found_();
    const bool late = static_cast<LONG>(self.deadline_ - GetTickCount()) <= 0;
    if (window == nullptr && !late) return;
    KillTimer(nullptr, id);
    answerers().erase(it);
    self.timer_ = 0;
    if (window != nullptr) {
        self.answered_ = true;
        self.answer_(window);
    }
}

}  // namespace ui_driver
