// Texture files found in a folder as Windows finds them, whatever the
// letter case of the name asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/file_stream.h"
#include "core/folder_files.h"
#include "core/native_file.h"
#include "core/object.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kCyrillicUtf8 = "\xD0\xBA\xD0\xB0\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8C.bmp";  // камень.bmp

// A folder of two files, one named in Cyrillic, and a subfolder.
class FolderFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        put("Mixed.Tga");
        put(kCyrillicUtf8);
        fs::create_directory(folder_.path() / "SUB.BMP");
    }

    // A file holding its own name; `utf8Name` as the file system stores it.
    void put(const std::string& utf8Name) {
        const fs::path name(std::u8string(reinterpret_cast<const char8_t*>(utf8Name.data()), utf8Name.size()));
        std::ofstream(folder_.path() / name, std::ios::binary) << utf8Name;
    }
    // What the file found for a name holds, read as the program reads a
    // path; "none" when none is found.
    std::string found(const std::string& name) {
        const std::string path = files_.pathOf(name);
        if (path.empty()) return "none";
        core::Ref<core::FileStream> file = core::openFileForReading(path);
        std::string bytes(static_cast<std::size_t>(std::max<std::int64_t>(file->size(), 0)), '\0');
        bytes.resize(file->read(bytes.data(), bytes.size()));
        return bytes;
    }

    test_support::TempFolder folder_;
    core::FolderFiles files_{folder_.path().string()};
};

TEST_F(FolderFilesTest, NameIsFoundInAnyLetterCaseLatinOrCyrillic) {
    EXPECT_EQ(found("Mixed.Tga"), "Mixed.Tga");
    EXPECT_EQ(found("mixed.TGA"), "Mixed.Tga");
    EXPECT_EQ(found("\xCA\xC0\xCC\xC5\xCD\xDC.BMP"), kCyrillicUtf8);  // КАМЕНЬ.BMP
    EXPECT_EQ(found("sub.bmp"), "none") << "a folder is no file";
    EXPECT_EQ(found("gone.bmp"), "none");
}

// What the search by letter case goes through when the system does not
// find a name as it is.
TEST_F(FolderFilesTest, FolderListsItsFilesInCodePage1251) {
    std::vector<std::string> names = core::native::fileNamesIn(folder_.path().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Mixed.Tga", "\xEA\xE0\xEC\xE5\xED\xFC.bmp"}));
    EXPECT_TRUE(core::native::fileNamesIn(folder_.path().string() + "/gone").empty());
}

#ifndef _WIN32
// Only a case-sensitive folder can hold names that differ in letter case
// alone; Windows (and Wine) find one of them for all.
TEST_F(FolderFilesTest, ExactNameComesFirstThenTheFirstInByteOrder) {
    put("wood.bmp");
    put("WOOD.BMP");
    put("Wood.bmp");
    EXPECT_EQ(found("wood.bmp"), "wood.bmp");
    EXPECT_EQ(found("Wood.bmp"), "Wood.bmp");
    EXPECT_EQ(found("wOOD.bmp"), "WOOD.BMP");
}
#endif

}  // namespace
