#include "editor/texture_folder.h"

#include <windows.h>

#include <iterator>
#include <string_view>

#include "core/file_stream.h"
#include "core/ini_file.h"
#include "core/object.h"
#include "core/text.h"

namespace editor {

namespace {

// The folder of the running program file, whatever characters its name
// holds.
std::filesystem::path folderOfProgram() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return std::filesystem::path(std::wstring_view(path, length)).parent_path();
}

}  // namespace

bool TextureFolder::load(toolkit::FolderDialog& dialog) {
    programFolder_ = folderOfProgram();
    dialog.title = kDialogTitle;
    path_ = core::ensureTrailingBackslash(readSetting(kDefault));
    bool chosen = true;
    if (!core::folderExists(path_)) {
        chosen = dialog.execute();
        if (chosen) {
            path_ = dialog.result;
            writeSetting(path_);
        }
    }
    path_ = core::ensureTrailingBackslash(path_);
    return chosen;
}

void TextureFolder::choose(toolkit::FolderDialog& dialog) {
    path_ = core::ensureTrailingBackslash(readSetting(""));
    dialog.setInitialPath(path_);
    if (!dialog.execute()) return;
    path_ = core::ensureTrailingBackslash(dialog.result);
    writeSetting(path_);
}

std::string TextureFolder::readSetting(const std::string& defaultValue) const {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsPath());
    settings->setSection(kSettingsSection);
    return settings->valueString(kKey, defaultValue);
}

void TextureFolder::writeSetting(const std::string& folder) const {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsPath());
    settings->setSection(kSettingsSection);
    settings->setMode(core::IniFile::Writing);
    settings->valueString(kKey, folder);
}

}  // namespace editor
