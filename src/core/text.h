// The text routines the program shares: numbers as decimal text and back,
// folder paths with their backslash, a path's file name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Decimal text of a number, with a leading minus sign when negative.
std::string intToText(std::int32_t value);

// A number as the number boxes read it: an optional sign, then the decimal
// digits up to the first other character.
struct SignedDigits {
    bool negative = false;
    std::string_view digits;  // the whole run, however long; empty when none follow the sign
};
SignedDigits scanSignedDigits(std::string_view text);

// The number that scanSignedDigits finds. No digits give 0; the value
// wraps at 32 bits.
std::int32_t textToInt(std::string_view text);
// Appends a backslash when the text is empty or does not end with one.
std::string ensureTrailingBackslash(std::string text);
// The part of a path after its last backslash or slash.
std::string_view fileNameOf(std::string_view path);

}  // namespace core
