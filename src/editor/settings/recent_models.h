// The models opened or saved last, newest first, as the "Файл" menu lists
// them; kept in the settings file (section "Recent", keys File1 to File5),
// which every change rewrites. Paths are program texts (code page 1251).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace editor {

class RecentModels {
public:
    static constexpr std::size_t kMost = 5;

    // Reads the list from the settings file; empty keys and a path listed
    // twice (in any letter case, as Windows compares paths) are skipped.
    explicit RecentModels(std::filesystem::path settingsFile);

    // The model goes first; listed further down already, it moves up; the
    // oldest beyond five goes.
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }

private:
    void save() const;

    std::filesystem::path settingsFile_;
    std::vector<std::string> paths_;
};

}  // namespace editor
