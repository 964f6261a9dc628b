#include "core/code_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(CodePage, CyrillicLettersBecomeTheirUtf8Form) {
    EXPECT_EQ(core::cp1251ToUtf8("\xCA\xE0\xEC\xE5\xED\xFC"), "\xD0\x9A\xD0\xB0\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8C");
    EXPECT_EQ(core::cp1251ToUtf8("\xA8\xB8"), "\xD0\x81\xD1\x91");          // capital and small yo
    EXPECT_EQ(core::cp1251ToUtf8("\x88\xB9"), "\xE2\x82\xAC\xE2\x84\x96");  // euro sign, numero sign
    EXPECT_EQ(core::cp1251ToUtf8("WOOD.BMP"), "WOOD.BMP");
}

// The unassigned byte 0x98 stands for U+0098 both ways, as in Windows.
TEST(CodePage, EveryByteComesBackUnchangedFromUtf8AndUtf16) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    std::string back;
    ASSERT_EQ(core::utf8ToCp1251(core::cp1251ToUtf8(all), back), core::Utf8Conversion::Converted);
    EXPECT_EQ(back, all);
    const std::wstring wide = core::toWide(all);
    ASSERT_EQ(wide.size(), all.size());
    EXPECT_EQ(core::fromWideExactly(wide), all);
    EXPECT_EQ(core::fromWide(wide), all);

    EXPECT_EQ(core::cp1251ToUtf8("\x98"), "\xC2\x98");
    EXPECT_EQ(wide[0x98], wchar_t{0x98});
    EXPECT_EQ(wide[0xC0], wchar_t{0x410});   // А
    EXPECT_EQ(wide[0xB9], wchar_t{0x2116});  // numero sign
}

// The way back from UTF-16 holds the 256 code units of the code page and
// nothing else, each giving its own byte.
TEST(CodePage, OnlyTheCodePagesCharactersComeBackFromUtf16) {
    int converted = 0;
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        const std::wstring text(1, static_cast<wchar_t>(unit));
        const std::optional<std::string> narrow = core::fromWideExactly(text);
        if (!narrow) continue;
        ++converted;
        ASSERT_EQ(narrow->size(), 1U) << unit;
        EXPECT_EQ(core::toWide(*narrow), text) << unit;
    }
    EXPECT_EQ(converted, 256);
}

TEST(CodePage, EachCharacterOutsideTheCodePageBecomesOneQuestionMark) {
    const std::wstring smile{L'A', wchar_t{0xD83D}, wchar_t{0xDE00}, L'B'};  // a pair of surrogates
    const std::wstring loneSurrogates{wchar_t{0xDE00}, L'x', wchar_t{0xD83D}};
    const std::wstring accent{wchar_t{0xE9}, wchar_t{0x41A}};  // é, К
    EXPECT_EQ(core::fromWide(smile), "A?B");
    EXPECT_EQ(core::fromWide(loneSurrogates), "?x?");
    EXPECT_EQ(core::fromWide(accent), "?\xCA");
    EXPECT_EQ(core::fromWideExactly(smile), std::nullopt);
    EXPECT_EQ(core::fromWideExactly(accent), std::nullopt);
    EXPECT_EQ(core::fromWideExactly(L""), "");
}

TEST(CodePage, CharactersOutsideTheCodePageAreRefused) {
    std::string out = "kept";
    EXPECT_EQ(core::utf8ToCp1251("\xE4\xB8\xAD", out), core::Utf8Conversion::NotInCodePage);  // a Chinese character
    EXPECT_EQ(core::utf8ToCp1251("\xC3\xA9", out), core::Utf8Conversion::NotInCodePage);      // e with acute accent
    EXPECT_EQ(out, "kept");
}

// Each malformed form beside its nearest well-formed one: the smallest code
// point of each length and the edges of the surrogates and of the code
// space are characters (which the code page mostly lacks); one step past
// them is no UTF-8.
TEST(CodePage, OnlyWellFormedUtf8IsDecoded) {
    const std::vector<std::pair<const char*, core::Utf8Conversion>> cases{
        {"\xC2\x98", core::Utf8Conversion::Converted},              // U+0098, the shortest two-byte form
        {"\xC1\x81", core::Utf8Conversion::NotUtf8},                // "A" in two bytes
        {"\xC0\x80X", core::Utf8Conversion::NotUtf8},               // NUL in two bytes
        {"\xE0\xA0\x80", core::Utf8Conversion::NotInCodePage},      // U+0800
        {"\xE0\x82\x98", core::Utf8Conversion::NotUtf8},            // U+0098 in three bytes
        {"\xED\x9F\xBF", core::Utf8Conversion::NotInCodePage},      // U+D7FF
        {"\xED\xA0\x80", core::Utf8Conversion::NotUtf8},            // U+D800, a surrogate
        {"\xED\xBF\xBF", core::Utf8Conversion::NotUtf8},            // U+DFFF
        {"\xEE\x80\x80", core::Utf8Conversion::NotInCodePage},      // U+E000
        {"\xF0\x90\x80\x80", core::Utf8Conversion::NotInCodePage},  // U+10000
        {"\xF0\x8F\xBF\xBF", core::Utf8Conversion::NotUtf8},        // U+FFFF in four bytes
        {"\xF4\x8F\xBF\xBF", core::Utf8Conversion::NotInCodePage},  // U+10FFFF
        {"\xF4\x90\x80\x80", core::Utf8Conversion::NotUtf8},        // U+110000
        {"\xF8\x88\x80\x80\x80", core::Utf8Conversion::NotUtf8},    // a five-byte form
        {"A\x80", core::Utf8Conversion::NotUtf8},                   // a stray continuation byte
        {"\xD0", core::Utf8Conversion::NotUtf8},                    // cut at the end
        {"\xE2\x82"
         "A",
         core::Utf8Conversion::NotUtf8},  // cut before another character
    };
    for (const auto& [text, expected] : cases) {
        std::string out = "kept";
        EXPECT_EQ(core::utf8ToCp1251(text, out), expected) << testing::PrintToString(std::string(text));
        EXPECT_EQ(out != "kept", expected == core::Utf8Conversion::Converted);
    }
}

// The pairs of small and capital letters the code page holds, and no other
// pair of bytes, name the same file.
TEST(CodePage, FileNamesAreTheSameRegardlessOfLetterCase) {
    std::vector<std::pair<int, int>> pairs;  // small, capital
    for (int small = 'a'; small <= 'z'; ++small) pairs.emplace_back(small, small - 0x20);
    for (int small = 0xE0; small <= 0xFF; ++small) pairs.emplace_back(small, small - 0x20);  // а..я
    // ђ ѓ љ њ ќ ћ џ ў ј ґ ё є ї і ѕ and their capitals
    const std::string smalls = "\x90\x83\x9A\x9C\x9D\x9E\x9F\xA2\xBC\xB4\xB8\xBA\xBF\xB3\xBE";
    const std::string capitals = "\x80\x81\x8A\x8C\x8D\x8E\x8F\xA1\xA3\xA5\xA8\xAA\xAF\xB2\xBD";
    for (std::size_t i = 0; i < smalls.size(); ++i)
        pairs.emplace_back(static_cast<unsigned char>(smalls[i]), static_cast<unsigned char>(capitals[i]));
    for (const auto& [small, capital] : pairs)
        EXPECT_TRUE(
            core::sameFileName(std::string(1, static_cast<char>(small)), std::string(1, static_cast<char>(capital))))
            << small;
    std::size_t same = 0;
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y)
            same += core::sameFileName(std::string(1, static_cast<char>(x)), std::string(1, static_cast<char>(y)));
    EXPECT_EQ(same, 256 + 2 * pairs.size());

    EXPECT_TRUE(core::sameFileName("wood01.bmp", "WOOD01.BMP"));
    EXPECT_TRUE(core::sameFileName("\xEA\xE0\xEC\xE5\xED\xFC.bmp", "\xCA\xC0\xCC\xC5\xCD\xDC.BMP"));  // камень, КАМЕНЬ
    EXPECT_FALSE(core::sameFileName("WOOD.BMP", "WOOD.BMP.BMP"));
    EXPECT_FALSE(core::sameFileName("WOOD1.BMP", "WOOD2.BMP"));
    for (const auto& [small, capital] : pairs)
        EXPECT_EQ(core::capitalized(std::string(1, static_cast<char>(small))),
                  std::string(1, static_cast<char>(capital)));
    EXPECT_EQ(core::capitalized("wheel_\xEA\xE0\xEC 2"), "WHEEL_\xCA\xC0\xCC 2");
}

}  // namespace
