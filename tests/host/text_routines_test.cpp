#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "core/text.h"

namespace {

using core::ensureTrailingBackslash;
using core::intToText;
using core::textToInt;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(IntToText, WritesDecimalWithAMinusSignForNegativeValues) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(7), "7");
    EXPECT_EQ(intToText(1024), "1024");
    EXPECT_EQ(intToText(-1), "-1");
    EXPECT_EQ(intToText(-305), "-305");
}

TEST(IntToText, WritesTheExtremeValues) {
    EXPECT_EQ(intToText(kMax), "2147483647");
    EXPECT_EQ(intToText(kMin), "-2147483648");
}

TEST(TextToInt, ReadsDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(textToInt("12ab"), 12);
    EXPECT_EQ(textToInt("255"), 255);
    EXPECT_EQ(textToInt("007"), 7);
    EXPECT_EQ(textToInt("12 34"), 12);
    EXPECT_EQ(textToInt("3.9"), 3);
}

TEST(TextToInt, TakesAnOptionalLeadingSign) {
    EXPECT_EQ(textToInt("-7"), -7);
    EXPECT_EQ(textToInt("+5"), 5);
    EXPECT_EQ(textToInt("-0"), 0);
    EXPECT_EQ(textToInt("-12ab"), -12);
}

TEST(TextToInt, TextWithoutDigitsGivesZero) {
    EXPECT_EQ(textToInt("abc"), 0);
    EXPECT_EQ(textToInt(""), 0);
    EXPECT_EQ(textToInt("-"), 0);
    EXPECT_EQ(textToInt("+"), 0);
    EXPECT_EQ(textToInt("--5"), 0);
    EXPECT_EQ(textToInt("+-5"), 0);
    EXPECT_EQ(textToInt(" 5"), 0);
}

TEST(TextToInt, ValueWrapsAtThirtyTwoBits) {
    EXPECT_EQ(textToInt("2147483647"), kMax);
    EXPECT_EQ(textToInt("-2147483648"), kMin);
    EXPECT_EQ(textToInt("2147483648"), kMin);
    EXPECT_EQ(textToInt("4294967295"), -1);
    EXPECT_EQ(textToInt("4294967296"), 0);
    EXPECT_EQ(textToInt("4294967297"), 1);
    EXPECT_EQ(textToInt("-4294967297"), -1);
    EXPECT_EQ(textToInt("99999999999"), 1215752191);
}

TEST(TextToInt, StopsAtTheEndOfTheGivenText) {
    const std::string_view digits = "123456";
    EXPECT_EQ(textToInt(digits.substr(0, 3)), 123);
}

TEST(ScanSignedDigits, GivesTheSignAndTheRunOfDigitsUpToTheFirstOtherCharacter) {
    const core::SignedDigits negative = core::scanSignedDigits("-0042x7");
    EXPECT_TRUE(negative.negative);
    EXPECT_EQ(negative.digits, "0042");
    const core::SignedDigits positive = core::scanSignedDigits("+12.5");
    EXPECT_FALSE(positive.negative);
    EXPECT_EQ(positive.digits, "12");
    EXPECT_EQ(core::scanSignedDigits("7").digits, "7");
}

TEST(ScanSignedDigits, KeepsARunOfAnyLengthWhole) {
    const std::string digits(400, '9');
    EXPECT_EQ(core::scanSignedDigits(digits + "!").digits, digits);
    EXPECT_EQ(core::scanSignedDigits("-" + digits).digits, digits);
}

TEST(ScanSignedDigits, FindsNoDigitsWhereNoneFollowTheSign) {
    for (const std::string_view text : {"", "-", "+", "--5", "+-5", " 5", "x1"}) {
        const core::SignedDigits number = core::scanSignedDigits(text);
        EXPECT_TRUE(number.digits.empty()) << text;
        EXPECT_EQ(number.negative, text.starts_with('-')) << text;
    }
}

TEST(EnsureTrailingBackslash, AppendsABackslashWhenMissing) {
    EXPECT_EQ(ensureTrailingBackslash(""), "\\");
    EXPECT_EQ(ensureTrailingBackslash("c:"), "c:\\");
    EXPECT_EQ(ensureTrailingBackslash("c:\\games"), "c:\\games\\");
}

TEST(EnsureTrailingBackslash, KeepsATextThatEndsWithOne) {
    EXPECT_EQ(ensureTrailingBackslash("a\\"), "a\\");
    EXPECT_EQ(ensureTrailingBackslash("\\"), "\\");
    EXPECT_EQ(ensureTrailingBackslash("c:\\maps\\"), "c:\\maps\\");
}

TEST(FileNameOf, TakesThePartAfterTheLastSeparator) {
    EXPECT_EQ(core::fileNameOf("c:\\models/cars\\car.4ds"), "car.4ds");
    EXPECT_EQ(core::fileNameOf("car.4ds"), "car.4ds");
    EXPECT_EQ(core::fileNameOf("c:\\models\\"), "");
}

}  // namespace
