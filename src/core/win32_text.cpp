#include "core/win32_text.h"

#include <windows.h>

namespace core {

namespace {

constexpr UINT kProgramCodePage = 1251;

// The text in code page 1251, without best-fit replacements; `lost` (when
// given) tells whether a character had no byte there and became '?'.
std::string toProgramCodePage(std::wstring_view text, BOOL* lost) {
    if (text.empty()) return {};
    const int wideLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(kProgramCodePage, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kProgramCodePage, WC_NO_BEST_FIT_CHARS, text.data(), wideLength, narrow.data(), length, "?",
                        lost);
    return narrow;
}

}  // namespace

std::wstring toWide(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kProgramCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string fromWide(std::wstring_view text) { return toProgramCodePage(text, nullptr); }

std::optional<std::string> fromWideExactly(std::wstring_view text) {
    BOOL lost = FALSE;
    std::string narrow = toProgramCodePage(text, &lost);
    if (lost) return std::nullopt;
    return narrow;
}

}  // namespace core
