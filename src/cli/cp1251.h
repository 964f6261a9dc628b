// Texture names are code page 1251 bytes; JSON texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace cli {

std::string cp1251ToUtf8(std::string_view text);

enum class Utf8Conversion { Converted, NotUtf8, NotInCodePage };
// Converts a UTF-8 text, which must be well formed: no overlong form, no
// surrogate, nothing beyond U+10FFFF, no cut sequence and no stray
// continuation byte. `converted` changes only when the text converts.
Utf8Conversion utf8ToCp1251(std::string_view text, std::string& converted);

// Whether two names name the same file on Windows, which compares file
// names regardless of letter case: equal once every letter, Latin or
// Cyrillic, is a capital.
bool sameFileName(std::string_view a, std::string_view b);

}  // namespace cli
