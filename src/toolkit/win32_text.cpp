#include "toolkit/win32_text.h"

#include <windows.h>

namespace toolkit {

namespace {
constexpr UINT kProgramCodePage = 1251;
}

std::wstring toWide(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string fromWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace toolkit
