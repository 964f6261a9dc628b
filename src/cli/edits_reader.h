// Reading the edits that import takes, the JSON form that show prints, as
// a stream: the entries of "materials" one at a time, so that the list is
// never held whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "cli/json_model.h"

namespace cli {

struct ReadEdits {
    bool isObject = false;  // the edits are a JSON object
    // Its fields; an empty list stands for the list "materials" whose
    // entries were taken.
    Json fields = Json::object();
    std::string failure;  // why the text cannot be read; empty when it was read
};

using EntryTaker = std::function<void(const Json& entry, std::size_t index)>;

// Reads the edits, giving each entry of the list "materials" to `takeEntry`
// as soon as it is read, with its place in the list. A key given twice in
// an object takes its last value, the list "materials" too: only the entries
// of the last one are taken. A number with a fraction is read from its text
// as the nearest float, infinity when it lies beyond a float's range (which
// the fields then refuse).
ReadEdits readEdits(std::string_view text, const EntryTaker& takeEntry);

}  // namespace cli
