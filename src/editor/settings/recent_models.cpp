#include "editor/settings/recent_models.h"

#include <algorithm>
#include <utility>

#include "core/code_page.h"
#include "core/ini_file.h"
#include "core/object.h"

namespace editor {

namespace {

constexpr char kSection[] = "Recent";

std::string keyOf(std::size_t slot) { return "File" + std::to_string(slot + 1); }

}  // namespace

RecentModels::RecentModels(std::filesystem::path settingsFile) : settingsFile_(std::move(settingsFile)) {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsFile_);
    settings->setSection(kSection);
    for (std::size_t slot = 0; slot < kMost; ++slot) {
        const std::string path = settings->valueString(keyOf(slot), "");
        const bool listed =
            std::ranges::any_of(paths_, [&path](const std::string& each) { return core::sameFileName(each, path); });
        if (!path.empty() && !listed) paths_.push_back(path);
    }
}

void RecentModels::add(const std::string& path) {
    std::erase_if(paths_, [&path](const std::string& each) { return core::sameFileName(each, path); });
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMost) paths_.resize(kMost);
    save();
}

void RecentModels::remove(const std::string& path) {
    if (std::erase_if(paths_, [&path](const std::string& each) { return core::sameFileName(each, path); }) > 0) save();
}

// Every slot is written, the unused ones empty, so that no path of an
// older list stays behind.
void RecentModels::save() const {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsFile_);
    settings->setSection(kSection);
    settings->setMode(core::IniFile::Writing);
    for (std::size_t slot = 0; slot < kMost; ++slot)
        settings->valueString(keyOf(slot), slot < paths_.size() ? paths_[slot] : "");
}

}  // namespace editor
