// The editor's resources, read back from the program file itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "version.h"

namespace {

class EditorResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(SKIRVANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot open " << SKIRVANE_EXE;
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }

    std::string resourceBytes(const char* name, LPCSTR type) {
        HRSRC found = FindResourceA(module_, name, type);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* bytes = static_cast<const char*>(LockResource(loaded));
        return std::string(bytes, SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

std::uint32_t u32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST_F(EditorResources, CheckerboardBitmapIsTheSixteenPixelTile) {
    const std::string bitmap = resourceBytes("FORM2_SCROLLBOX1_BRUSH_BMP", MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_EQ(bitmap.size(), 808U);
    EXPECT_EQ(u32(bitmap, 0), 40U);                  // header size
    EXPECT_EQ(u32(bitmap, 4), 16U);                  // width
    EXPECT_EQ(u32(bitmap, 8), 16U);                  // height, positive: bottom line first
    EXPECT_EQ(bitmap[12] | bitmap[13] << 8, 1);      // planes
    EXPECT_EQ(bitmap[14] | bitmap[15] << 8, 24);     // bits per pixel
    EXPECT_EQ(u32(bitmap, 16), 0U);                  // no compression
    EXPECT_EQ(u32(bitmap, 32), 0U);                  // no colour table
    // As displayed: top-left and bottom-right white, the others grey.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::size_t at = 40 + static_cast<std::size_t>(15 - y) * 48 + static_cast<std::size_t>(x) * 3;
            const bool white = (x < 8) == (y < 8);
            const char expected = static_cast<char>(white ? 0xFF : 0xCC);
            ASSERT_EQ(bitmap[at], expected) << x << "," << y;
            ASSERT_EQ(bitmap[at + 1], expected) << x << "," << y;
            ASSERT_EQ(bitmap[at + 2], expected) << x << "," << y;
        }
    }
}

TEST_F(EditorResources, IconHasSixteenThirtyTwoAndFortyEightPixelImages) {
    HRSRC group = FindResourceA(module_, "ICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module_, group)));
    for (const int size : {16, 32, 48}) {
        const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(directory), TRUE, size, size, LR_DEFAULTCOLOR);
        ASSERT_NE(id, 0) << size;
        HRSRC image = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
        ASSERT_NE(image, nullptr) << size;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, image)));
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // image and mask
    }
}

// What Windows shows in the program file's properties: its description,
// product name and the project's version.
TEST(ProgramVersion, FileCarriesItsDescriptionNameAndVersion) {
    std::wstring path(SKIRVANE_EXE, SKIRVANE_EXE + std::strlen(SKIRVANE_EXE));
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0U);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    const auto value = [&block](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) || text == nullptr)
            return std::wstring();
        return std::wstring(text);
    };
    EXPECT_EQ(value(L"ProductName"), L"Skirvane");
    EXPECT_EQ(value(L"ProductVersion"), L"" SKIRVANE_VERSION);
    EXPECT_EQ(value(L"FileVersion"), L"" SKIRVANE_VERSION);
    EXPECT_EQ(value(L"FileDescription"), L"Skirvane: material editor for 4DS models");
}

}  // namespace
