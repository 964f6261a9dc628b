// Code page 1251, the program's text encoding, and the two encodings its
// texts meet outside: UTF-8 (JSON texts, the command line) and UTF-16 (the
// wide Win32 functions). One table of the code page's upper half serves
// every direction, so that a text converts the same way wherever it goes.
//
// Every byte converts and comes back: the one byte the code page leaves
// unassigned (0x98) stands for U+0098, as the Windows conversion has it.
// Nothing is ever replaced by a look-alike: a character the code page lacks
// is never turned into a similar one (É into E, a full-width backslash into
// a backslash).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

std::string cp1251ToUtf8(std::string_view text);

enum class Utf8Conversion { Converted, NotUtf8, NotInCodePage };
// Converts a UTF-8 text, which must be well formed: no overlong form, no
// surrogate, nothing beyond U+10FFFF, no cut sequence and no stray
// continuation byte. `converted` changes only when the text converts.
Utf8Conversion utf8ToCp1251(std::string_view text, std::string& converted);

// UTF-16 as the wide Win32 functions take it, one code unit a wchar_t (on
// every system, so that the same tests check it everywhere).
std::wstring toWide(std::string_view text);
// Each character that code page 1251 cannot hold becomes one '?': a
// surrogate pair, a lone surrogate and any other code unit outside the
// code page alike.
std::string fromWide(std::wstring_view text);
// Nothing when the text holds a character that code page 1251 cannot hold.
std::optional<std::string> fromWideExactly(std::wstring_view text);

// Whether two names name the same file on Windows, which compares file
// names regardless of letter case: equal once every letter, Latin or
// Cyrillic, is a capital.
bool sameFileName(std::string_view a, std::string_view b);
// The text with every letter, Latin or Cyrillic, a capital: two texts that
// differ only in letter case come out the same.
std::string capitalized(std::string_view text);

}  // namespace core
