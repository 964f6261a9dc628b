// The interface language as the settings file keeps it: section
// "Interface", key "Language", "ru" or "en".
#pragma once

#include <filesystem>

#include "editor/texts/interface_texts.h"

namespace editor {

// The language the file names; Russian when it names none or one unknown.
Language readLanguage(const std::filesystem::path& settingsFile);
void writeLanguage(const std::filesystem::path& settingsFile, Language language);

}  // namespace editor
