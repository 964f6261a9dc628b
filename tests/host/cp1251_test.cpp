#include "cli/cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, CyrillicLettersBecomeTheirUtf8Form) {
    EXPECT_EQ(cli::cp1251ToUtf8("\xCA\xE0\xEC\xE5\xED\xFC"), "\xD0\x9A\xD0\xB0\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8C");
    EXPECT_EQ(cli::cp1251ToUtf8("\xA8\xB8"), "\xD0\x81\xD1\x91");  // capital and small yo
    EXPECT_EQ(cli::cp1251ToUtf8("\x88\xB9"), "\xE2\x82\xAC\xE2\x84\x96");  // euro sign, numero sign
    EXPECT_EQ(cli::cp1251ToUtf8("WOOD.BMP"), "WOOD.BMP");
}

TEST(Cp1251, EveryByteComesBackUnchanged) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    std::string back;
    ASSERT_TRUE(cli::utf8ToCp1251(cli::cp1251ToUtf8(all), back));
    EXPECT_EQ(back, all);
}

TEST(Cp1251, CharactersOutsideTheCodePageAreRefused) {
    std::string out = "kept";
    EXPECT_FALSE(cli::utf8ToCp1251("\xE4\xB8\xAD", out));  // a Chinese character
    EXPECT_FALSE(cli::utf8ToCp1251("\xC3\xA9", out));      // e with acute accent
    EXPECT_FALSE(cli::utf8ToCp1251("\xD0", out));          // cut sequence
    EXPECT_EQ(out, "kept");
}

}  // namespace
