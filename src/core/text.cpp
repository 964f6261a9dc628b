#include "core/text.h"

namespace core {

std::string intToText(std::int32_t value) { return std::to_string(value); }

SignedDigits scanSignedDigits(std::string_view text) {
    SignedDigits number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) number.negative = text[at++] == '-';
    const std::size_t first = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    number.digits = text.substr(first, at - first);
    return number;
}

std::int32_t textToInt(std::string_view text) {
    const SignedDigits number = scanSignedDigits(text);
    std::uint32_t value = 0;  // unsigned, so that overflow wraps as the rule says
    for (const char digit : number.digits) value = value * 10U + static_cast<std::uint32_t>(digit - '0');
    if (number.negative) value = 0U - value;
    return static_cast<std::int32_t>(value);
}

std::string ensureTrailingBackslash(std::string text) {
    if (text.empty() || text.back() != '\\') text += '\\';
    return text;
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace core
