#include "editor/settings_file.h"

#include <windows.h>

#include <iterator>
#include <string_view>

namespace editor {

// The program file's folder, whatever characters its name holds.
std::filesystem::path settingsFilePath() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return std::filesystem::path(std::wstring_view(path, length)).parent_path() / "Skirvane.ini";
}

}  // namespace editor
