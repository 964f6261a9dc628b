#include "cli/commands.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>

#include "cli/json_model.h"
#include "cli_test_support.h"

namespace {

using cli_test::CliTest;
using cli_test::Outcome;
using cli_test::runCli;
using test_support::encodeModel;
using test_support::ModelBytes;
using test_support::RecordBytes;

TEST_F(CliTest, ShowPrintsTheModelAsJson) {
    ModelBytes bytes;
    bytes.version = 29;
    RecordBytes plain;
    plain.flags = 0x00040000 | 0x00000100;
    plain.ambient = {0.1F, 0.5F, 1.0F};
    plain.density = 0.3F;
    plain.diffuseName = "\xCA\xC0\xCC\xC5\xCD\xDC.BMP";
    RecordBytes animated;
    animated.flags = test_support::kReflectionBit | test_support::kAlphaBit | test_support::kAnimationBit;
    animated.reflectionDensity = 0.25F;
    animated.reflectionName = "ENV.BMP";
    animated.diffuseName = "SEA00.BMP";
    animated.alphaName = "MASK.BMP";
    animated.animation = {4, 0, 0, 0, 0, 0, 100, 0, 0, 0};
    bytes.records = {plain, animated};
    bytes.remainder = std::string(123, 'x');

    const Outcome shown = runCli({"show", put("m.4ds", encodeModel(bytes))});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const cli::Json json = cli::Json::parse(shown.out);
    EXPECT_EQ(json["version"], 29);
    EXPECT_EQ(json["remainderSize"], 123);
    ASSERT_EQ(json["materials"].size(), 2U);
    const cli::Json& first = json["materials"][0];
    EXPECT_EQ(first["number"], 1);
    EXPECT_EQ(first["flags"], 0x00040100);
    EXPECT_EQ(first["ambient"][0].get<float>(), 0.1F);
    EXPECT_EQ(first["density"].get<float>(), 0.3F);
    EXPECT_EQ(first["diffuseName"], "\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAC.BMP");
    EXPECT_EQ(first["reflectionName"], "");
    EXPECT_TRUE(first["animation"].is_null());
    const cli::Json& second = json["materials"][1];
    EXPECT_EQ(second["number"], 2);
    EXPECT_EQ(second["reflectionName"], "ENV.BMP");
    EXPECT_EQ(second["alphaName"], "MASK.BMP");
    EXPECT_EQ(second["reflectionDensity"].get<float>(), 0.25F);
    EXPECT_EQ(second["animation"], (cli::Json{{"frames", 4}, {"delay", 100}}));
    // Keys come in the documented order.
    EXPECT_LT(shown.out.find("\"version\""), shown.out.find("\"materials\""));
    EXPECT_LT(shown.out.find("\"materials\""), shown.out.find("\"remainderSize\""));
}

TEST_F(CliTest, PrintedFloatsReadBackAsTheSameBits) {
    std::mt19937 random(11);
    ModelBytes bytes;
    for (int i = 0; i < 30; ++i) bytes.records.push_back(test_support::randomRecord(random));
    const Outcome shown = runCli({"show", put("m.4ds", encodeModel(bytes))});
    ASSERT_EQ(shown.status, 0);
    const cli::Json json = cli::Json::parse(shown.out);
    for (std::size_t i = 0; i < bytes.records.size(); ++i) {
        for (std::size_t c = 0; c < 3; ++c) {
            float value = 0;
            ASSERT_TRUE(cli::floatFromJson(json["materials"][i]["diffuse"][c], value));
            EXPECT_EQ(std::bit_cast<std::uint32_t>(value), std::bit_cast<std::uint32_t>(bytes.records[i].diffuse[c]))
                << "material " << i + 1 << " component " << c;
        }
    }
}

TEST(JsonFloats, NonFiniteValuesAreTextsThatReadBack) {
    const float nan = std::bit_cast<float>(0xFFC01234U);
    EXPECT_EQ(cli::floatToJson(nan), "NaN:FFC01234");
    EXPECT_EQ(cli::floatToJson(std::numeric_limits<float>::infinity()), "Infinity");
    EXPECT_EQ(cli::floatToJson(-std::numeric_limits<float>::infinity()), "-Infinity");
    float value = 0;
    ASSERT_TRUE(cli::floatFromJson("NaN:FFC01234", value));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(value), 0xFFC01234U);
    ASSERT_TRUE(cli::floatFromJson("-Infinity", value));
    EXPECT_EQ(value, -std::numeric_limits<float>::infinity());
    EXPECT_FALSE(cli::floatFromJson("NaN:3F800000", value));  // that is 1.0, not a NaN
    EXPECT_FALSE(cli::floatFromJson("NaN:12", value));
    EXPECT_FALSE(cli::floatFromJson("nan", value));
    EXPECT_FALSE(cli::floatFromJson(true, value));
}

TEST_F(CliTest, SaveWritesTheModelBackWithTheHeaderFill) {
    std::mt19937 random(12);
    ModelBytes bytes;
    for (int i = 0; i < 10; ++i) bytes.records.push_back(test_support::randomRecord(random));
    bytes.remainder = test_support::meshLikeBytes(random, 999);
    const std::string original = encodeModel(bytes);
    const Outcome saved = runCli({"save", put("m.4ds", original), file("out.4ds")});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_TRUE(saved.out.empty());
    EXPECT_EQ(read("out.4ds"), test_support::withSavedHeader(original));
}

TEST_F(CliTest, SaveMaySaveAModelOverItself) {
    const std::string original = encodeModel(ModelBytes{});
    const std::string path = put("m.4ds", original);
    ASSERT_EQ(runCli({"save", path, path}).status, 0);
    EXPECT_EQ(test_support::readFileBytes(path), test_support::withSavedHeader(original));
}

TEST_F(CliTest, UnreadableModelIsReportedWithItsPath) {
    const std::string path = put("bad.4ds", "4DS ");
    for (const std::string command : {"show", "save"}) {
        std::vector<std::string> args = {command, path};
        if (command == "save") args.push_back(file("out.4ds"));
        const Outcome outcome = runCli(args);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "Can't read file: " + path + "\n");
        EXPECT_TRUE(outcome.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(file("out.4ds")));
}

TEST_F(CliTest, UnwritableTargetIsReportedWithItsPath) {
    const std::string model = put("m.4ds", encodeModel(ModelBytes{}));
    const std::string target = (folder_.path() / "missing" / "out.4ds").string();
    const Outcome outcome = runCli({"save", model, target});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Can't write file: " + target + "\n");
}

TEST(CliUsage, HelpGoesToStandardOutputAndWrongUsageFails) {
    const Outcome help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* synopsis :
         {"show MODEL.4ds", "save MODEL.4ds OUT.4ds", "set MODEL.4ds NUMBER", "import MODEL.4ds EDITS.json",
          "textures --maps DIR [--json] PATH...", "find PATH... TEXT", "usage [--frames] PATH...",
          "rename-texture OLD NEW PATH... [--dry-run]"})
        EXPECT_NE(help.out.find(synopsis), std::string::npos) << synopsis;

    for (const char* command : {"show", "save", "set", "import", "textures", "find", "usage", "rename-texture"}) {
        const Outcome commandHelp = runCli({command, "--help"});
        EXPECT_EQ(commandHelp.status, 0);
        EXPECT_TRUE(commandHelp.out.starts_with(std::string("Usage: skirvane-cli ") + command + " ")) << command;
        EXPECT_TRUE(commandHelp.err.empty());
    }

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{}, {"show"}, {"show", "a", "b"}, {"save", "a"}, {"frobnicate", "a"}}) {
        const Outcome outcome = runCli(wrong);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_NE(outcome.err.find("Usage: skirvane-cli"), std::string::npos);
    }
}

}  // namespace
