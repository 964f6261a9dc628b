// skirvane-cli textures on generated models and texture folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bmp_bytes.h"
#include "cli/json_model.h"
#include "cli_test_support.h"

namespace {

using cli::Json;
using cli_test::Outcome;
using cli_test::runCli;
using test_support::ModelBytes;
using test_support::RecordBytes;

// A 7 x 5 TGA image of 32 bits.
std::string tgaImage() {
    return test_support::readFileBytes((std::filesystem::path(SKIRVANE_TEST_DATA) / "tga" / "rgba32.tga").string());
}

std::string smallBitmap() {
    test_support::BmpBytes image;
    image.width = 2;
    image.bitsPerPixel = 24;
    image.pixels = std::string(test_support::bmpLineBytes(2, 24), '\x40');
    return test_support::encodeBmp(image);
}

class CliTexturesTest : public cli_test::CliTest {
protected:
    void SetUp() override {
        maps_ = (folder_.path() / "maps").string();
        std::filesystem::create_directory(maps_);
    }

    void putTexture(const std::string& name, const std::string& bytes) {
        test_support::writeFileBytes((std::filesystem::path(maps_) / name).string(), bytes);
    }

    Outcome textures(const std::vector<RecordBytes>& records, std::vector<std::string> options = {}) {
        ModelBytes model;
        model.records = records;
        std::vector<std::string> args{"textures", putModel("m.4ds", model), "--maps", maps_};
        args.insert(args.end(), options.begin(), options.end());
        return runCli(args);
    }

    std::string maps_;
};

// Names match files in any letter case, as Windows finds them; only the
// name's extension, in any letter case, decides whether the viewer reads it.
TEST_F(CliTexturesTest, BmpAndTgaNamesInAnyLetterCaseAreShown) {
    putTexture("ENV.BMP", smallBitmap());
    putTexture("wood.bmp", smallBitmap());
    putTexture("Stone.Bmp", smallBitmap());
    putTexture("X.BMP.BMP", smallBitmap());
    putTexture("sky.TGA", tgaImage());
    putTexture("grass.tga", tgaImage());
    putTexture("NOTES.DDS", smallBitmap());
    const Outcome outcome = textures({test_support::recordWithNames("env.bmp", "WOOD.BMP", "stone.bMP"),
                                      test_support::recordWithNames("X.BMP.BMP", "SKY.TGA", "Grass.Tga"),
                                      test_support::recordWithNames("", "notes.dds", "")});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "[1] Env env.bmp: shown\n"
              "[1] Diff WOOD.BMP: shown\n"
              "[1] Alfa stone.bMP: shown\n"
              "[2] Env X.BMP.BMP: shown\n"
              "[2] Diff SKY.TGA: shown\n"
              "[2] Alfa Grass.Tga: shown (warning: the engine needs an alpha texture's sides to be powers of two)\n"
              "[3] Diff notes.dds: not-read\n");
}

TEST_F(CliTexturesTest, MissingAndUnloadableTexturesFail) {
    putTexture("GOOD.BMP", smallBitmap());
    putTexture("BAD.BMP", "BM but not a bitmap");
    test_support::BmpBytes noBits;
    noBits.width = noBits.height = 32768;
    noBits.bitsPerPixel = 0;
    putTexture("NOBITS.BMP", test_support::encodeBmp(noBits));
    putTexture("BAD.TGA", tgaImage().substr(0, 40));
    const Outcome outcome = textures({test_support::recordWithNames("", "GOOD.BMP", "GONE.BMP"),
                                      test_support::recordWithNames("", "BAD.BMP", "NOBITS.BMP"),
                                      test_support::recordWithNames("", "GONE.TGA", "BAD.TGA")});
    EXPECT_EQ(outcome.status, 1);
    const std::string lines = outcome.out;
    EXPECT_NE(lines.find("[1] Diff GOOD.BMP: shown\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("[1] Alfa GONE.BMP: missing\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("[2] Diff BAD.BMP: unloadable ("), std::string::npos) << lines;
    EXPECT_NE(lines.find("[2] Alfa NOBITS.BMP: unloadable (Unsupported bitmap format)\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("[3] Diff GONE.TGA: missing\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("[3] Alfa BAD.TGA: unloadable (Unexpected end of file)\n"), std::string::npos) << lines;
}

TEST_F(CliTexturesTest, JsonListsTheSameWithTheReasonOrTheImage) {
    putTexture("GOOD.BMP", smallBitmap());
    putTexture("BAD.BMP", std::string(60, '\0'));
    putTexture("GLASS.TGA", tgaImage());
    const Outcome outcome = textures({test_support::recordWithNames("", "GOOD.BMP", "BAD.BMP"),
                                      test_support::recordWithNames("", "GLASS.TGA", "GOOD.BMP"),
                                      test_support::recordWithNames("", "GOOD.BMP", "GLASS.TGA")},
                                     {"--json"});
    EXPECT_EQ(outcome.status, 1);
    const Json list = Json::parse(outcome.out);
    ASSERT_EQ(list.size(), 6U);
    const Json good{{"number", 1}, {"kind", "Diff"}, {"name", "GOOD.BMP"}, {"status", "shown"},
                    {"width", 2},  {"height", 1},    {"bitDepth", 24},     {"format", "bmp"}};
    EXPECT_EQ(list[0], good);
    EXPECT_EQ(list[1]["kind"], "Alfa");
    EXPECT_EQ(list[1]["status"], "unloadable");
    EXPECT_FALSE(list[1]["reason"].get<std::string>().empty());
    EXPECT_FALSE(list[1].contains("width"));
    const Json glass{{"number", 2}, {"kind", "Diff"}, {"name", "GLASS.TGA"}, {"status", "shown"},
                     {"width", 7},  {"height", 5},    {"bitDepth", 32},      {"format", "tga"}};
    EXPECT_EQ(list[2], glass);
    EXPECT_FALSE(list[3].contains("warning")) << "an alpha texture of 2 x 1";
    Json glassAsAlpha = glass;
    glassAsAlpha["number"] = 3;
    glassAsAlpha["kind"] = "Alfa";
    glassAsAlpha["warning"] = "the engine needs an alpha texture's sides to be powers of two";
    EXPECT_EQ(list[5], glassAsAlpha);
}

TEST_F(CliTexturesTest, SharedTexturesAreCheckedForEveryMaterial) {
    putTexture("WOOD.BMP", smallBitmap());
    const Outcome outcome = textures(
        {test_support::recordWithNames("", "WOOD.BMP", ""), test_support::recordWithNames("", "WOOD.BMP", "WOOD.BMP")});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "[1] Diff WOOD.BMP: shown\n[2] Diff WOOD.BMP: shown\n[2] Alfa WOOD.BMP: shown\n");
}

TEST_F(CliTexturesTest, CyrillicNamesAreFoundAndPrintedAsUtf8) {
    const std::string utf8 = "\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAC.BMP";  // КАМЕНЬ.BMP
    const std::u8string name(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size());
    // Through the path object: its narrow form on Windows is not UTF-8.
    std::ofstream(std::filesystem::path(maps_) / std::filesystem::path(name), std::ios::binary) << smallBitmap();
    const Outcome outcome = textures({test_support::recordWithNames("", "\xCA\xC0\xCC\xC5\xCD\xDC.BMP", "")});
    EXPECT_EQ(outcome.status, 0) << outcome.out;
    EXPECT_EQ(outcome.out, "[1] Diff " + utf8 + ": shown\n");
}

TEST_F(CliTexturesTest, FolderMayEndWithASeparator) {
    putTexture("GOOD.BMP", smallBitmap());
    maps_ += '/';
    const Outcome outcome = textures({test_support::recordWithNames("", "GOOD.BMP", "")});
    EXPECT_EQ(outcome.out, "[1] Diff GOOD.BMP: shown\n");
}

TEST_F(CliTexturesTest, MissingFolderAndWrongUsageAreReported) {
    const std::string model = putModel("m.4ds", ModelBytes{});
    const std::string gone = file("gone");
    const Outcome missing = runCli({"textures", model, "--maps", gone});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Can't find folder: " + gone + "\n");

    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"textures", model},
                                               {"textures", model, "--maps"},
                                               {"textures", "--maps", maps_},
                                               {"textures", model, "--maps", maps_, "--xml"}}) {
        const Outcome outcome = runCli(wrong);
        EXPECT_EQ(outcome.status, 2) << testing::PrintToString(wrong);
        EXPECT_NE(outcome.err.find("Usage: skirvane-cli textures "), std::string::npos);
    }
}

}  // namespace
