// skirvane-cli over many models: the folder walk, find and textures over
// folders, rename-texture and the progress line.
#include <gtest/gtest.h>

#include "bmp_bytes.h"
#include "cli/json_model.h"
#include "cli/model_walk.h"
#include "cli/progress_line.h"
#include "cli_test_support.h"

namespace {

using cli::Json;
using cli_test::Outcome;
using cli_test::runCli;
using test_support::ModelBytes;
using test_support::RecordBytes;
using test_support::recordWithNames;

constexpr std::uint32_t kDiffuseBit = 0x00040000;

class CliBatchTest : public cli_test::CliTest {
protected:
    std::string putInMod(const std::string& relative, const std::string& bytes) {
        const std::string path = inMod(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        test_support::writeFileBytes(path, bytes);
        return path;
    }

    static std::string modelOf(const std::vector<RecordBytes>& records) {
        ModelBytes model;
        model.records = records;
        model.remainder = "MESH";
        return test_support::encodeModel(model);
    }

    std::string mod() const { return file("mod"); }
};

TEST_F(CliBatchTest, FolderWalkFindsEveryModelInAnyLetterCaseInSortedOrder) {
    for (const char* name : {"sub/deeper/d.4ds", "b.4ds", "sub/c.4Ds", "A.4DS", "folder.4ds/e.4ds"})
        putInMod(name, modelOf({}));
    for (const char* name : {"notes.txt", "b.4ds.bak", "4ds", "sub/c4ds"}) putInMod(name, "not a model");
    std::filesystem::create_directories(inMod("empty.4ds"));

    std::vector<std::string> models;
    std::ostringstream err;
    ASSERT_TRUE(cli::findModels(mod(), models, err));
    ASSERT_TRUE(cli::findModels(file("none.4ds"), models, err));  // no folder: taken as a model
    EXPECT_EQ(models, (std::vector<std::string>{inMod("A.4DS"), inMod("b.4ds"), inMod("folder.4ds/e.4ds"),
                                                inMod("sub/c.4Ds"), inMod("sub/deeper/d.4ds"), file("none.4ds")}));
    EXPECT_TRUE(err.str().empty());

    EXPECT_TRUE(cli::namesOneModel(std::vector<std::string>{inMod("b.4ds")}));
    EXPECT_FALSE(cli::namesOneModel(std::vector<std::string>{mod()}));
    EXPECT_FALSE(cli::namesOneModel(std::vector<std::string>{inMod("b.4ds"), inMod("A.4DS")}));
}

TEST_F(CliBatchTest, FindGroupsLinesByModelAndGoesOnPastAnUnreadableOne) {
    putInMod("a.4ds", modelOf({recordWithNames("", "WOOD01.BMP", "")}));
    putInMod("b.4ds", "4DS but no model");
    putInMod("c.4ds", modelOf({recordWithNames("", "STONE.BMP", "")}));
    putInMod("d.4ds", modelOf({recordWithNames("", "", ""), recordWithNames("ENV.BMP", "WOOD02.BMP", "")}));
    const std::string single = put("single.4ds", modelOf({recordWithNames("", "GLASS.BMP", "WOOD03.BMP")}));

    const Outcome outcome = runCli({"find", mod(), single, "WOOD"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, inMod("a.4ds") + "\n[1] |WOOD01.BMP|\n" + inMod("d.4ds") + "\n[2] ENV.BMP|WOOD02.BMP|\n" +
                               single + "\n[1] |GLASS.BMP|WOOD03.BMP\n");
    EXPECT_EQ(outcome.err, "Can't read file: " + inMod("b.4ds") + "\n");
}

TEST_F(CliBatchTest, TexturesOverAFolderNameTheModelOfEachEntry) {
    const std::string maps = file("maps");
    std::filesystem::create_directory(maps);
    test_support::BmpBytes image;
    image.width = 1;
    image.bitsPerPixel = 24;
    image.pixels = std::string(test_support::bmpLineBytes(1, 24), '\x40');
    test_support::writeFileBytes(file("maps/GOOD.BMP"), test_support::encodeBmp(image));
    putInMod("a.4ds", modelOf({recordWithNames("", "GOOD.BMP", "")}));
    putInMod("sub/b.4ds", modelOf({recordWithNames("GONE.BMP", "", "")}));

    const Outcome json = runCli({"textures", "--maps", maps, mod(), "--json"});
    EXPECT_EQ(json.status, 1);
    const Json list = Json::parse(json.out);
    ASSERT_EQ(list.size(), 2U);
    EXPECT_EQ(list[0], (Json{{"model", inMod("a.4ds")},
                             {"number", 1},
                             {"kind", "Diff"},
                             {"name", "GOOD.BMP"},
                             {"status", "shown"},
                             {"width", 1},
                             {"height", 1},
                             {"bitDepth", 24},
                             {"format", "bmp"}}));
    EXPECT_EQ(list[1]["model"], inMod("sub/b.4ds"));
    EXPECT_EQ(list[1]["status"], "missing");

    const Outcome text = runCli({"textures", mod(), "--maps", maps});
    EXPECT_EQ(text.out,
              inMod("a.4ds") + "\n[1] Diff GOOD.BMP: shown\n" + inMod("sub/b.4ds") + "\n[1] Env GONE.BMP: missing\n");
}

// Names equal but for letter case are renamed in every kind; a name that
// only starts with the old one is not; the animation stays with a name that
// can carry it; every other byte stays, and models without the name are
// not written at all.
TEST_F(CliBatchTest, RenameTextureChangesOnlyTheNamesEqualToTheOldOne) {
    RecordBytes all = recordWithNames("wood00.bmp", "WOOD00.BMP", "Wood00.Bmp");
    all.flags |= test_support::kAnimationBit | 0x10000000;
    all.ambient = {0.25F, 2.0F, -1.0F};  // outside 0..1, as files may hold
    all.animation = {4, 9, 9, 9, 9, 9, 100, 0, 0, 0, 7, 7};
    const std::vector<RecordBytes> records{all, recordWithNames("", "STONE.BMP", ""),
                                           recordWithNames("", "WOOD00.BMP.OLD", "")};
    const std::string changed = putInMod("a.4ds", modelOf(records));
    RecordBytes bitless = recordWithNames("", "WOOD00.BMP", "");
    bitless.flags &= ~kDiffuseBit;
    const std::string refused = putInMod("b.4ds", modelOf({bitless}));
    const std::string untouched = putInMod("c.4ds", modelOf({recordWithNames("", "STONE.BMP", "")}));

    const Outcome outcome = runCli({"rename-texture", "wood00.bmp", "PINE00", mod()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, changed +
                               "\n[1] Env wood00.bmp -> PINE00.BMP\n[1] Diff WOOD00.BMP -> PINE00.BMP\n"
                               "[1] Alfa Wood00.Bmp -> PINE00.BMP\n"
                               "models scanned: 3, models changed: 1, names changed: 3, models refused: 1\n");
    EXPECT_EQ(outcome.err, "Not written: " + refused +
                               "\nmaterial 1, diffuse-name: the material's diffuse bit is clear, and the new name "
                               "would set it: rename it with set\n");
    std::vector<RecordBytes> renamed = records;
    renamed[0].reflectionName = renamed[0].diffuseName = renamed[0].alphaName = "PINE00.BMP";
    EXPECT_EQ(test_support::readFileBytes(changed), test_support::withSavedHeader(modelOf(renamed)));
    EXPECT_EQ(test_support::readFileBytes(refused), modelOf({bitless}));
    EXPECT_EQ(test_support::readFileBytes(untouched), modelOf({recordWithNames("", "STONE.BMP", "")}));
}

TEST_F(CliBatchTest, DryRunWritesNothingAndListsWhatWouldChange) {
    RecordBytes animated = recordWithNames("", "SEA00.BMP", "");
    animated.flags |= test_support::kAnimationBit;
    animated.animation[0] = 4;
    const std::string losing = putInMod("a.4ds", modelOf({animated}));
    const std::string changing = putInMod("b.4ds", modelOf({recordWithNames("", "WATER.BMP", "sea00.bmp")}));
    const std::string cyrillic = putInMod("c.4ds", modelOf({recordWithNames("", "\xCA\xC0\xCC\xC5\xCD\xDC.BMP", "")}));

    const Outcome sea = runCli({"rename-texture", "--dry-run", "SEA00.BMP", "OCEAN", mod()});
    EXPECT_EQ(sea.status, 1);
    EXPECT_EQ(sea.out, changing +
                           "\n[1] Alfa sea00.bmp -> OCEAN.BMP\nmodels scanned: 3, models changed: 1, "
                           "names changed: 1, models refused: 1 (dry run: nothing written)\n");
    EXPECT_NE(sea.err.find("Not written: " + losing + "\nmaterial 1, diffuse-name: the diffuse texture is animated"),
              std::string::npos)
        << sea.err;

    // камень.bmp finds КАМЕНЬ.BMP; the new name is ГРАНИТ.BMP.
    const Outcome stone = runCli({"rename-texture", "\xD0\xBA\xD0\xB0\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8C.bmp",
                                  "\xD0\x93\xD0\xA0\xD0\x90\xD0\x9D\xD0\x98\xD0\xA2", cyrillic, "--dry-run"});
    EXPECT_EQ(stone.status, 0) << stone.err;
    EXPECT_EQ(stone.out, cyrillic +
                             "\n[1] Diff \xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAC.BMP -> "
                             "\xD0\x93\xD0\xA0\xD0\x90\xD0\x9D\xD0\x98\xD0\xA2.BMP\nmodels scanned: 1, models changed: "
                             "1, names changed: 1, models refused: 0 (dry run: nothing written)\n");

    EXPECT_EQ(test_support::readFileBytes(losing), modelOf({animated}));
    EXPECT_EQ(test_support::readFileBytes(changing), modelOf({recordWithNames("", "WATER.BMP", "sea00.bmp")}));
    EXPECT_EQ(test_support::readFileBytes(cyrillic),
              modelOf({recordWithNames("", "\xCA\xC0\xCC\xC5\xCD\xDC.BMP", "")}));
}

TEST_F(CliBatchTest, RefusedNamesAndWrongUsageWriteNothing) {
    const std::string bytes = modelOf({recordWithNames("", "WOOD.BMP", "")});
    const std::string model = putInMod("a.4ds", bytes);
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals{
        {{"WOOD.BMP", "A|B"}, "NEW: a texture name holds at most 255 characters"},
        {{"WOOD.BMP", ""}, "NEW: an empty name would remove the texture"},
        {{"WOOD.BMP", "A\tB"}, "NEW: a texture name is a file name and cannot hold control characters"},
        {{"WOOD.BMP", std::string(252, 'X')}, "NEW: a texture name holds at most 255 characters"},
        {{"", "STONE"}, "OLD: give the texture name to rename"},
        {{"\xE4\xB8\xAD", "STONE"}, "OLD: the name holds a character that code page 1251 has no byte for"},
    };
    for (const auto& [names, message] : refusals) {
        const Outcome outcome = runCli({"rename-texture", names[0], names[1], mod()});
        EXPECT_EQ(outcome.status, 1) << message;
        EXPECT_TRUE(outcome.err.starts_with(message)) << outcome.err;
    }
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"rename-texture", "WOOD.BMP", "STONE"}, {"rename-texture", "WOOD.BMP", "STONE", mod(), "--force"}}) {
        const Outcome outcome = runCli(wrong);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find("Usage: skirvane-cli rename-texture "), std::string::npos);
    }
    EXPECT_EQ(test_support::readFileBytes(model), bytes);
}

TEST(ProgressLine, RedrawsAtMostTenTimesASecondAndErasesItself) {
    using namespace std::chrono_literals;
    std::ostringstream terminal;
    const cli::ProgressLine::Clock::time_point start{};
    {
        cli::ProgressLine progress(&terminal, 250);
        progress.update(0, start);
        progress.update(1, start + 99ms);
        progress.update(2, start + 100ms);
        progress.update(3, start + 150ms);
        EXPECT_EQ(terminal.str(), "\r0 of 250 models\r2 of 250 models");
        progress.erase();
        progress.update(4, start + 199ms);
        progress.update(5, start + 200ms);
    }
    EXPECT_EQ(terminal.str(), "\r0 of 250 models\r2 of 250 models\r" + std::string(15, ' ') + "\r\r5 of 250 models\r" +
                                  std::string(15, ' ') + "\r");
}

}  // namespace
