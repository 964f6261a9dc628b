#include "core/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace core {

namespace {

// The code points of the bytes 0x80..0xFF: punctuation and the letters of
// the other Cyrillic alphabets, then А..я in alphabetical order. The bytes
// 0x00..0x7F are the same code points.
constexpr std::array<char16_t, 128> kUpperHalf = [] {
    constexpr char16_t kBeforeTheAlphabet[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
        0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
        0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
        0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
        0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    };
    std::array<char16_t, 128> table{};
    for (std::size_t i = 0; i < 64; ++i) table[i] = kBeforeTheAlphabet[i];
    for (std::size_t i = 0; i < 64; ++i) table[64 + i] = static_cast<char16_t>(0x0410 + i);
    return table;
}();

// The same table turned round, sorted by code point for the way back.
struct UpperByte {
    char16_t codePoint;
    unsigned char byte;
};
constexpr std::array<UpperByte, 128> kByCodePoint = [] {
    std::array<UpperByte, 128> entries{};
    for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = {kUpperHalf[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(entries.begin(), entries.end(),
              [](const UpperByte& a, const UpperByte& b) { return a.codePoint < b.codePoint; });
    return entries;
}();

constexpr char32_t codePointOf(unsigned char byte) { return byte < 0x80 ? byte : kUpperHalf[byte - 0x80]; }

constexpr bool byteOf(char32_t codePoint, char& byte) {
    if (codePoint < 0x80) {  // the common case, and the same byte
        byte = static_cast<char>(codePoint);
        return true;
    }
    const auto found =
        std::lower_bound(kByCodePoint.begin(), kByCodePoint.end(), codePoint,
                         [](const UpperByte& entry, char32_t wanted) { return entry.codePoint < wanted; });
    if (found == kByCodePoint.end() || found->codePoint != codePoint) return false;
    byte = static_cast<char>(found->byte);
    return true;
}

// The capital of a small letter the code page holds; any other code point
// stays as it is.
constexpr char32_t capitalOf(char32_t codePoint) {
    if (codePoint >= 'a' && codePoint <= 'z') return codePoint - 0x20;
    if (codePoint >= 0x0430 && codePoint <= 0x044F) return codePoint - 0x20;  // а..я
    if (codePoint >= 0x0450 && codePoint <= 0x045F) return codePoint - 0x50;  // ё, ђ, ї, ў, џ, ...
    if (codePoint == 0x0491) return 0x0490;                                   // ґ
    return codePoint;
}

// The byte of each byte's capital. Every capital of a small letter the
// code page holds is in the code page too.
constexpr std::array<unsigned char, 256> kCapitalBytes = [] {
    std::array<unsigned char, 256> capitals{};
    for (unsigned value = 0; value < 256; ++value) {
        char byte = static_cast<char>(value);
        byteOf(capitalOf(codePointOf(static_cast<unsigned char>(value))), byte);
        capitals[value] = static_cast<unsigned char>(byte);
    }
    return capitals;
}();

void appendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `at`; false for a malformed one.
bool decodeUtf8(std::string_view text, std::size_t& at, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t smallest = 0;  // the first code point that needs this length; below it the form is overlong
    if (lead < 0x80) {
        codePoint = lead, length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
        codePoint = lead & 0x1F, length = 2, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        codePoint = lead & 0x0F, length = 3, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        codePoint = lead & 0x07, length = 4, smallest = 0x10000;
    } else {
        return false;  // a continuation byte, or a byte UTF-8 never uses
    }
    if (text.size() - at < length) return false;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return false;
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < smallest || surrogate || codePoint > 0x10FFFF) return false;
    at += length;
    return true;
}

constexpr bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The text in code page 1251 with '?' for each character it lacks; `lost`
// tells whether there was one.
std::string narrowOf(std::wstring_view text, bool& lost) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto unit = static_cast<char32_t>(text[at]);
        char byte = 0;
        if (byteOf(unit, byte)) {
            out += byte;
            continue;
        }
        // A pair of surrogates is one character, and one '?'.
        if (isHighSurrogate(unit) && at + 1 < text.size() && isLowSurrogate(static_cast<char32_t>(text[at + 1]))) ++at;
        out += '?';
        lost = true;
    }
    return out;
}

}  // namespace

std::string cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char byte : text) appendUtf8(codePointOf(static_cast<unsigned char>(byte)), out);
    return out;
}

Utf8Conversion utf8ToCp1251(std::string_view text, std::string& converted) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t codePoint = 0;
        char byte = 0;
        if (!decodeUtf8(text, at, codePoint)) return Utf8Conversion::NotUtf8;
        if (!byteOf(codePoint, byte)) return Utf8Conversion::NotInCodePage;
        out += byte;
    }
    converted = std::move(out);
    return Utf8Conversion::Converted;
}

std::wstring toWide(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    std::transform(text.begin(), text.end(), wide.begin(),
                   [](char byte) { return static_cast<wchar_t>(codePointOf(static_cast<unsigned char>(byte))); });
    return wide;
}

std::string fromWide(std::wstring_view text) {
    bool lost = false;
    return narrowOf(text, lost);
}

std::optional<std::string> fromWideExactly(std::wstring_view text) {
    bool lost = false;
    std::string narrow = narrowOf(text, lost);
    if (lost) return std::nullopt;
    return narrow;
}

namespace {

char capitalOfByte(char byte) { return static_cast<char>(kCapitalBytes[static_cast<unsigned char>(byte)]); }

}  // namespace

bool sameFileName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return capitalOfByte(x) == capitalOfByte(y); });
}

std::string capitalized(std::string_view text) {
    std::string capitals(text.size(), '\0');
    std::transform(text.begin(), text.end(), capitals.begin(), capitalOfByte);
    return capitals;
}

}  // namespace core
