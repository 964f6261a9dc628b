// The folder of the texture images the viewer shows: kept in the settings
// file beside the program, asked for at start when it does not exist, and
// chosen anew from the menu.
#pragma once

#include <filesystem>
#include <string>

#include "toolkit/windows/dialogs.h"

namespace editor {

class TextureFolder {
public:
    static constexpr char kSettingsSection[] = "Paths";
    static constexpr char kKey[] = "MAPS";
    static constexpr char kDefault[] = "z:\\";

    // At start: the folder the settings file names (kDefault when it names
    // none); one that does not exist is asked for with the dialog, and the
    // one chosen is written there. False when the user cancels: the program
    // is to end.
    bool load(toolkit::FolderDialog& dialog);
    // Asks for a folder, starting at the one the settings file names, and
    // writes the one chosen there.
    void choose(toolkit::FolderDialog& dialog);
    // The folder, ending with a backslash. The text stays the same object
    // as the folder changes, so that the viewer may hold it.
    const std::string& path() const { return path_; }

private:
    std::string readSetting(const std::string& defaultValue) const;
    void writeSetting(const std::string& folder) const;

    std::filesystem::path settingsFile_;
    std::string path_;
};

}  // namespace editor
