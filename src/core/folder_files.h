// Files found by name in a folder as Windows finds them: whatever the
// letter case of the name, so that a folder on a Linux file system (or a
// case-sensitive Windows one) gives the file the game would open.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The path of the file `name` (code page 1251) in `folder`, a path as the
// file functions take it: the folder, a separator unless it ends with one,
// and the name, which on Linux becomes UTF-8 as Wine stores such names.
std::string pathInFolder(std::string_view folder, std::string_view name);

class FolderFiles {
public:
    explicit FolderFiles(std::string folder) : folder_(std::move(folder)) {}

    // The path of the file a name (code page 1251) stands for: the name
    // itself when the folder holds a file of that very name, otherwise the
    // first of its files, in byte order, whose name differs only in letter
    // case (Latin or Cyrillic, as sameFileName compares). Empty when there
    // is none.
    std::string pathOf(std::string_view name);

private:
    std::string folder_;
    // The folder's file names, sorted; read at the first name that is not
    // there as it is, and kept.
    std::optional<std::vector<std::string>> names_;
};

}  // namespace core
