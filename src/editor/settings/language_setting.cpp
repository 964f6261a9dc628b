#include "editor/settings/language_setting.h"

#include "core/ini_file.h"
#include "core/object.h"

namespace editor {

namespace {

constexpr char kSection[] = "Interface";
constexpr char kKey[] = "Language";

}  // namespace

Language readLanguage(const std::filesystem::path& settingsFile) {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsFile);
    settings->setSection(kSection);
    return languageOfCode(settings->valueString(kKey, ""));
}

void writeLanguage(const std::filesystem::path& settingsFile, Language language) {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsFile);
    settings->setSection(kSection);
    settings->setMode(core::IniFile::Writing);
    settings->valueString(kKey, languageCode(language));
}

}  // namespace editor
