#include "editor/texture_folder.h"

#include "core/file_stream.h"
#include "core/ini_file.h"
#include "core/object.h"
#include "core/text.h"
#include "editor/settings_file.h"
#include "editor/texts/interface_texts.h"

namespace editor {

bool TextureFolder::load(toolkit::FolderDialog& dialog) {
    settingsFile_ = settingsFilePath();
    dialog.title = text(TextName::TextureFolderDialogTitle);
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
    dialog.title = text(TextName::TextureFolderDialogTitle);
    dialog.setInitialPath(path_);
    if (!dialog.execute()) return;
    path_ = core::ensureTrailingBackslash(dialog.result);
    writeSetting(path_);
}

std::string TextureFolder::readSetting(const std::string& defaultValue) const {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsFile_);
    settings->setSection(kSettingsSection);
    return settings->valueString(kKey, defaultValue);
}

void TextureFolder::writeSetting(const std::string& folder) const {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsFile_);
    settings->setSection(kSettingsSection);
    settings->setMode(core::IniFile::Writing);
    settings->valueString(kKey, folder);
}

}  // namespace editor
