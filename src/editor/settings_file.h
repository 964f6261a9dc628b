// The editor's settings file, "Skirvane.ini" in the folder of the running
// program: the texture folder, the interface language and the models
// opened last.
#pragma once

#include <filesystem>

namespace editor {

std::filesystem::path settingsFilePath();

}  // namespace editor
