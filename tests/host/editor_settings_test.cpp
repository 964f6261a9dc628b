#include <gtest/gtest.h>

#include <string>

#include "editor/settings/language_setting.h"
#include "editor/settings/recent_models.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using editor::Language;
using editor::RecentModels;
using test_support::readFileBytes;
using test_support::writeFileBytes;

class EditorSettingsTest : public ::testing::Test {
protected:
    test_support::TempFolder folder;
    const std::string path = folder.file("Skirvane.ini");
};

// The language shares the file with the other settings and leaves them be.
TEST_F(EditorSettingsTest, LanguageIsReadAndWrittenBesideTheOtherSettings) {
    EXPECT_EQ(editor::readLanguage(path), Language::Russian) << "no file";
    writeFileBytes(path, "[Paths]\r\nMAPS=z:\\maps\\\r\n[Interface]\r\nLanguage=de\r\n");
    EXPECT_EQ(editor::readLanguage(path), Language::Russian) << "an unknown language";
    editor::writeLanguage(path, Language::English);
    EXPECT_EQ(editor::readLanguage(path), Language::English);
    const std::string text = readFileBytes(path);
    EXPECT_NE(text.find("MAPS=z:\\maps\\"), std::string::npos) << text;
    EXPECT_NE(text.find("Language=en"), std::string::npos) << text;
    editor::writeLanguage(path, Language::Russian);
    EXPECT_EQ(editor::readLanguage(path), Language::Russian);
}

// Newest first, five at most, a path once whatever its letter case; the
// list as the file keeps it comes back in a new run.
TEST_F(EditorSettingsTest, RecentModelsKeepTheLastFiveNewestFirst) {
    writeFileBytes(path, "[Recent]\r\nFile1=c:\\a.4ds\r\nFile2=\r\nFile3=C:\\A.4DS\r\nFile4=c:\\Модель.4ds\r\n");
    RecentModels recent(path);
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"c:\\a.4ds", "c:\\Модель.4ds"}));

    for (const char* name : {"c:\\b.4ds", "c:\\c.4ds", "c:\\d.4ds", "c:\\МОДЕЛЬ.4DS", "c:\\e.4ds"}) recent.add(name);
    const std::vector<std::string> expected{"c:\\e.4ds", "c:\\МОДЕЛЬ.4DS", "c:\\d.4ds", "c:\\c.4ds", "c:\\b.4ds"};
    EXPECT_EQ(recent.paths(), expected) << "a listed model moves up; the oldest goes";
    EXPECT_EQ(RecentModels(path).paths(), expected);

    recent.remove("C:\\D.4DS");
    recent.remove("c:\\not listed.4ds");
    EXPECT_EQ(RecentModels(path).paths(),
              (std::vector<std::string>{"c:\\e.4ds", "c:\\МОДЕЛЬ.4DS", "c:\\c.4ds", "c:\\b.4ds"}));
}

}  // namespace
