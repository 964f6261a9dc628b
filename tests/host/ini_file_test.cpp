#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/ini_file.h"
#include "core/object.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using core::IniFile;
using core::Ref;
using test_support::readFileBytes;
using test_support::TempFolder;
using test_support::writeFileBytes;

// A text of `length` letters running a to z over and over, so that a cut
// shows where it happened.
std::string letters(std::size_t length) {
    std::string text(length, 'a');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
    return text;
}

// Each test gets its own settings file, named by an absolute path (the
// system's profile functions look up a bare name in the Windows folder).
class IniFileTest : public ::testing::Test {
protected:
    std::string read(const std::string& section, const std::string& key, const std::string& fallback) {
        Ref<IniFile> ini = core::openIniFile(path);
        ini->setSection(section);
        return ini->valueString(key, fallback);
    }

    std::string write(const std::string& section, const std::string& key, const std::string& value) {
        Ref<IniFile> ini = core::openIniFile(path);
        ini->setSection(section);
        ini->setMode(IniFile::Writing);
        return ini->valueString(key, value);
    }

    // Lines of the file that hold a key.
    std::size_t keyLines() {
        const std::string text = readFileBytes(path);
        std::size_t lines = 0;
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            if (text.substr(start, end - start).find('=') != std::string::npos) ++lines;
            start = end + 1;
        }
        return lines;
    }

    TempFolder folder;
    const std::string path = folder.file("Settings.ini");
};

TEST_F(IniFileTest, NewIniFileIsInReadingMode) { EXPECT_EQ(core::openIniFile(path)->mode(), IniFile::Reading); }

TEST_F(IniFileTest, MissingFileGivesTheDefaultAndIsNotCreated) {
    EXPECT_EQ(read("Main", "Folder", "c:\\default\\"), "c:\\default\\");
    EXPECT_EQ(read("Main", "Folder", ""), "");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniFileTest, MissingKeyOrSectionGivesTheDefault) {
    writeFileBytes(path, "[Main]\r\nOther=1\r\n");
    EXPECT_EQ(read("Main", "Folder", "fallback"), "fallback");
    EXPECT_EQ(read("Second", "Other", "fallback"), "fallback");
}

TEST_F(IniFileTest, EmptyValueGivesTheEmptyString) {
    writeFileBytes(path, "[Main]\r\nFolder=\r\n");
    EXPECT_EQ(read("Main", "Folder", "fallback"), "");
}

TEST_F(IniFileTest, BlanksAroundKeyAndValueAreIgnored) {
    writeFileBytes(path, "[Main]\nFolder =  c:\\maps  \n");
    EXPECT_EQ(read("Main", "Folder", "fallback"), "c:\\maps");
}

TEST_F(IniFileTest, WriteCreatesTheFileSectionAndKeyAndGivesTheValueBack) {
    EXPECT_EQ(write("Main", "Folder", "c:\\textures\\"), "c:\\textures\\");
    const std::string text = readFileBytes(path);
    EXPECT_NE(text.find("[Main]"), std::string::npos) << text;
    EXPECT_NE(text.find("Folder=c:\\textures\\"), std::string::npos) << text;
    EXPECT_EQ(read("Main", "Folder", "fallback"), "c:\\textures\\");
}

TEST_F(IniFileTest, SecondWriteReplacesTheValue) {
    write("Main", "Folder", "first");
    write("Main", "Folder", "second");
    EXPECT_EQ(read("Main", "Folder", "fallback"), "second");
    EXPECT_EQ(keyLines(), 1U);
}

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    write("Main", "Folder", "first");
    EXPECT_EQ(read("MAIN", "folder", "fallback"), "first");
    write("main", "FOLDER", "second");
    EXPECT_EQ(read("Main", "Folder", "fallback"), "second");
    EXPECT_EQ(keyLines(), 1U);
}

TEST_F(IniFileTest, SameKeyInTwoSectionsHoldsTwoValues) {
    write("First", "Key", "one");
    write("Second", "Key", "two");
    EXPECT_EQ(read("First", "Key", "fallback"), "one");
    EXPECT_EQ(read("Second", "Key", "fallback"), "two");
}

TEST_F(IniFileTest, WriteKeepsOtherSectionsAndKeys) {
    writeFileBytes(path, "[First]\r\na=1\r\nb=2\r\n\r\n[Second]\r\nc=3\r\n");
    write("First", "b", "20");
    write("First", "d", "4");
    write("Second", "e", "5");
    write("Third", "f", "6");
    EXPECT_EQ(read("First", "a", "-"), "1");
    EXPECT_EQ(read("First", "b", "-"), "20");
    EXPECT_EQ(read("First", "d", "-"), "4");
    EXPECT_EQ(read("Second", "c", "-"), "3");
    EXPECT_EQ(read("Second", "e", "-"), "5");
    EXPECT_EQ(read("Third", "f", "-"), "6");
    EXPECT_EQ(read("Second", "a", "-"), "-");
    EXPECT_EQ(read("First", "f", "-"), "-");
}

TEST_F(IniFileTest, SameObjectReadsThenWritesThenReads) {
    Ref<IniFile> ini = core::openIniFile(path);
    ini->setSection("Main");
    EXPECT_EQ(ini->valueString("Folder", "fallback"), "fallback");
    ini->setMode(IniFile::Writing);
    ini->valueString("Folder", "chosen");
    ini->setMode(IniFile::Reading);
    EXPECT_EQ(ini->valueString("Folder", "fallback"), "chosen");
}

TEST_F(IniFileTest, CodePage1251ValueReadsBackAsWritten) {
    const std::string folderName = "c:\\\xC8\xE3\xF0\xFB\\\xC0\xE1";  // c:\Игры\Аб
    write("Main", "Folder", folderName);
    EXPECT_EQ(read("Main", "Folder", "fallback"), folderName);
    EXPECT_NE(readFileBytes(path).find(folderName), std::string::npos);
}

TEST_F(IniFileTest, ValueOfTheLongestLengthReadsBackWhole) {
    const std::string value = letters(4095);
    write("Main", "Folder", value);
    EXPECT_EQ(read("Main", "Folder", "fallback"), value);
}

TEST_F(IniFileTest, LongerValueIsCutTo4095Characters) {
    const std::string value = letters(5000);
    write("Main", "Folder", value);
    EXPECT_EQ(read("Main", "Folder", "fallback"), value.substr(0, 4095));
}

}  // namespace
