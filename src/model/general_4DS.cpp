#include "model/general_4DS.h"

namespace model {

std::string copyPrefix(std::string_view text, std::uint8_t count) { return std::string(text.substr(0, count)); }

}  // namespace model
