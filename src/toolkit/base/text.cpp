#include "toolkit/base/text.h"

namespace toolkit {

std::string intToText(std::int32_t value) { return std::to_string(value); }

std::int32_t textToInt(std::string_view text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    std::uint32_t value = 0;  // unsigned, so that overflow wraps as the rule says
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value * 10U + static_cast<std::uint32_t>(text[at] - '0');
    if (negative) value = 0U - value;
    return static_cast<std::int32_t>(value);
}

std::string ensureTrailingBackslash(std::string text) {
    if (text.empty() || text.back() != '\\') text += '\\';
    return text;
}


std::string copyPrefix(std::string_view text, std::uint8_t count) { return std::string(text.substr(0, count)); }

}  // namespace toolkit
