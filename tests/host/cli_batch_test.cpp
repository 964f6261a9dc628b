// skirvane-cli over many models: the folder walk, find and textures over
// folders and the progress line.
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

class CliBatchTest : public cli_test::CliTest {
protected:
    // The path of a file below the folder "mod", as the walk gives it.
    std::string inMod(const std::string& relative) const {
        return (folder_.path() / "mod" / std::filesystem::path(relative).make_preferred()).string();
    }

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
    const std::string single = put("single.4ds", modelOf({recordWithNames("", "", "WOOD03.BMP")}));

    const Outcome outcome = runCli({"find", mod(), single, "WOOD"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, inMod("a.4ds") + "\n[1] |WOOD01.BMP|\n" + inMod("d.4ds") + "\n[2] ENV.BMP|WOOD02.BMP|\n" +
                               single + "\n[1] ||WOOD03.BMP\n");
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
    putInMod("sub/b.4ds", modelOf({recordWithNames("", "", "GONE.BMP")}));

    const Outcome json = runCli({"textures", "--maps", maps, mod(), "--json"});
    EXPECT_EQ(json.status, 1);
    const Json list = Json::parse(json.out);
    ASSERT_EQ(list.size(), 2U);
    EXPECT_EQ(
        list[0],
        (Json{{"model", inMod("a.4ds")}, {"number", 1}, {"kind", "Diff"}, {"name", "GOOD.BMP"}, {"status", "shown"}}));
    EXPECT_EQ(list[1]["model"], inMod("sub/b.4ds"));
    EXPECT_EQ(list[1]["status"], "missing");

    const Outcome text = runCli({"textures", mod(), "--maps", maps});
    EXPECT_EQ(text.out,
              inMod("a.4ds") + "\n[1] Diff GOOD.BMP: shown\n" + inMod("sub/b.4ds") + "\n[1] Alfa GONE.BMP: missing\n");
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
