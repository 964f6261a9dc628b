// Texture names are code page 1251 bytes; JSON texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace cli {

std::string cp1251ToUtf8(std::string_view text);
// False when the text is not UTF-8 or holds a character that code page
// 1251 has no byte for.
bool utf8ToCp1251(std::string_view text, std::string& converted);

}  // namespace cli
