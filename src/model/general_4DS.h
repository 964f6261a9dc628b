// A text routine of the model layer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace model {

// The first `count` characters of `text` (fewer when the text ends before).
std::string copyPrefix(std::string_view text, std::uint8_t count);

}  // namespace model
