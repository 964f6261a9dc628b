#include "window_queries.h"

#include <algorithm>

namespace window_queries {

namespace {

constexpr UINT kMessageTimeout = 5000;

// The window's answer, or nothing when it does not answer in time.
std::optional<LRESULT> sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeout, &result) == 0)
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

// Runs `wanted` over the windows below `parent` until it takes one.
template <class Wanted>
HWND firstDescendant(HWND parent, Wanted wanted) {
    struct Search {
        Wanted& wanted;
        HWND found;
    } search{wanted, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (!s.wanted(window)) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::string toCp1251(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(1251, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr, nullptr);
    return narrow;
}

std::wstring fromCp1251(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(1251, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::wstring className(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

bool hasClass(HWND window, const std::wstring& name) { return lstrcmpiW(className(window).c_str(), name.c_str()) == 0; }

std::string windowText(HWND window) {
    const auto length = sendWithin(window, WM_GETTEXTLENGTH, 0, 0);
    if (!length || *length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    const LRESULT copied =
        sendWithin(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())).value_or(0);
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, *length)));
    return toCp1251(text);
}

HWND findDescendant(HWND parent, const std::wstring& wantedClass, const std::optional<std::string>& text) {
    return firstDescendant(
        parent, [&](HWND window) { return hasClass(window, wantedClass) && (!text || windowText(window) == *text); });
}

HWND findControl(HWND parent, int id) {
    return firstDescendant(parent, [id](HWND window) { return GetDlgCtrlID(window) == id; });
}

void pressButton(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

}  // namespace window_queries
