// What skirvane-cli tells of the model's frames: show's "usedBy" and
// "framesRead", usage with and without --frames, find --frame, and import
// taking back what show printed.
#include <gtest/gtest.h>

#include "cli/json_model.h"
#include "cli_test_support.h"
#include "frame_bytes.h"

namespace {

using cli::Json;
using cli_test::Outcome;
using cli_test::runCli;
using namespace test_support;

class CliFramesTest : public cli_test::CliTest {
protected:
    // Materials 1..3 used (3 by a glow only), 4 unused; the wheels'
    // second frame an instance.
    static ModelBytes carModel() {
        ModelBytes model;
        for (const char* name : {"BODY.BMP", "TYRE.BMP", "FLARE.BMP", "SPARE.BMP"})
            model.records.push_back(recordWithNames("", name, ""));
        model.remainder = frameList({
            meshFrame({"body"}, {{8, {{10, 1}, {2, 1}}}, {4, {{3, 1}}}}),
            meshFrame({"wheel_fl", 1}, {{6, {{7, 2}}}}),
            instanceFrame({"wheel_fr", 1}, 2),
            glowFrame({"flare", 1}, {3}),
        });
        return model;
    }

    // The same materials after frames that cannot be read.
    static ModelBytes unreadableModel() {
        ModelBytes model = carModel();
        model.remainder = frameList({bareFrame({"sun"}, 2)});
        return model;
    }

    void SetUp() override {
        std::filesystem::create_directory(folder_.path() / "mod");
        car_ = putModel("car.4ds", carModel());
        putModel("mod/broken.4ds", unreadableModel());
        putModel("mod/copy.4ds", carModel());
    }

    // A model whose frames cannot be read, as the folder walk reports it.
    std::string brokenModelReport() const {
        return "Can't read the frames of " + inMod("broken.4ds") + ": frame 1: frame type 2 unknown\n";
    }

    std::string car_;
};

TEST_F(CliFramesTest, ShowSaysWhereEachMaterialIsUsedAndImportTakesItBack) {
    const Outcome shown = runCli({"show", car_});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const Json json = Json::parse(shown.out);
    EXPECT_EQ(json["framesRead"], true);
    EXPECT_FALSE(json.contains("framesProblem"));
    const Json& materials = json["materials"];
    EXPECT_EQ(materials[0]["usedBy"], Json::parse(R"([{"frame": "body", "level": 0, "faces": 12},
                                                      {"frame": "body", "level": 1, "faces": 3}])"));
    EXPECT_EQ(materials[1]["usedBy"], Json::parse(R"([{"frame": "wheel_fl", "level": 0, "faces": 7},
        {"frame": "wheel_fr", "level": 0, "faces": 7, "instanceOf": "wheel_fl"}])"));
    EXPECT_EQ(materials[2]["usedBy"], Json::parse(R"([{"frame": "flare", "glow": true}])"));
    EXPECT_EQ(materials[3]["usedBy"], Json::array());
    put("shown.json", shown.out);
    ASSERT_EQ(runCli({"import", car_, file("shown.json"), "-o", file("same.4ds")}).status, 0);
    EXPECT_EQ(read("same.4ds"), withSavedHeader(read("car.4ds")));

    const Outcome unread = runCli({"show", file("mod/broken.4ds")});
    const Json unreadJson = Json::parse(unread.out);
    EXPECT_EQ(unreadJson["framesRead"], false);
    EXPECT_EQ(unreadJson["framesProblem"], "frame 1: frame type 2 unknown");
    EXPECT_TRUE(unreadJson["materials"][3]["usedBy"].is_null());

    const std::string original = read("car.4ds");
    Json edits = json;
    edits["materials"][3]["usedBy"] = Json::parse(R"([{"frame": "body", "level": 0, "faces": 1}])");
    edits["framesRead"] = false;
    put("edits.json", edits.dump());
    const Outcome refused = runCli({"import", car_, file("edits.json")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("framesRead: it says what the model's frames hold"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("material 4, usedBy: it says what the model's frames hold"), std::string::npos)
        << refused.err;
    EXPECT_EQ(read("car.4ds"), original);
}

TEST_F(CliFramesTest, UsageListsTheUnusedOrEveryUseAndReportsUnreadFrames) {
    const Outcome unused = runCli({"usage", car_});
    EXPECT_EQ(unused.status, 0);
    EXPECT_EQ(unused.out,
              "[4] |SPARE.BMP|\nmodels read: 1, unused materials: 1, models whose frames cannot be read: 0\n");
    const Outcome frames = runCli({"usage", car_, "--frames"});
    EXPECT_EQ(frames.out,
              "[1] |BODY.BMP|\n"
              "  body, level 0: 12 faces\n"
              "  body, level 1: 3 faces\n"
              "[2] |TYRE.BMP|\n"
              "  wheel_fl, level 0: 7 faces\n"
              "  wheel_fr (instance of wheel_fl), level 0: 7 faces\n"
              "[3] |FLARE.BMP|\n"
              "  flare: glow\n"
              "[4] |SPARE.BMP|\n"
              "  unused\n"
              "models read: 1, unused materials: 1, models whose frames cannot be read: 0\n");
    const Outcome folder = runCli({"usage", file("mod")});
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.out, inMod("copy.4ds") +
                              "\n[4] |SPARE.BMP|\n"
                              "models read: 2, unused materials: 1, models whose frames cannot be read: 1\n");
    EXPECT_EQ(folder.err, brokenModelReport());
    EXPECT_EQ(runCli({"usage"}).status, 2);
}

TEST_F(CliFramesTest, FindByFrameListsTheMaterialsOfFramesWhoseNamesHoldIt) {
    EXPECT_EQ(runCli({"find", "--frame", "WHEEL", car_}).out, "[2] |TYRE.BMP|\n");
    EXPECT_EQ(runCli({"find", car_, "--frame=o"}).out, "[1] |BODY.BMP|\n");
    EXPECT_EQ(runCli({"find", car_, "--frame", "flare"}).out, "[3] |FLARE.BMP|\n");
    EXPECT_EQ(runCli({"find", car_, "--frame"}).out, "") << "a last --frame is the texture text";
    const Outcome folder = runCli({"find", file("mod"), "--frame", "body"});
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.out, inMod("copy.4ds") + "\n[1] |BODY.BMP|\n");
    EXPECT_EQ(folder.err, brokenModelReport());
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"find", "--frame", "body"}, {"find", "--frame=a", "--frame=b", car_}})
        EXPECT_EQ(runCli(wrong).status, 2) << testing::PrintToString(wrong);
}

}  // namespace
