// skirvane-cli import on generated models: what show prints reads back as
// no change, given fields follow the rules of set, and a refusal anywhere
// writes nothing.
#include <gtest/gtest.h>

#include <bit>

#include "cli/json_model.h"
#include "cli_test_support.h"

namespace {

using cli::Json;
using cli_test::Outcome;
using cli_test::runCli;
using test_support::ModelBytes;
using test_support::RecordBytes;
using test_support::withSavedHeader;

constexpr std::uint32_t kDiffuseBit = 0x00040000;
constexpr std::uint32_t kDoubleSided = 0x10000000;
constexpr std::uint32_t kExtraSettings = 0x00008000;

ModelBytes twoMaterials() {
    RecordBytes wood;
    wood.flags = kDiffuseBit | kExtraSettings | 0x00000100;
    wood.ambient = {0.2F, 1.25F, 0.6F};  // green outside 0..1, as some files have it
    wood.density = 0.3F;
    wood.diffuseName = "WOOD01.BMP";
    RecordBytes sea;
    sea.flags = kDiffuseBit | test_support::kAnimationBit | test_support::kReflectionBit;
    sea.reflectionDensity = 0.5F;
    sea.reflectionName = "ENV.BMP";
    sea.diffuseName = "SEA00.BMP";
    sea.animation = {4, 0, 0, 0, 0, 0, 100};
    ModelBytes model;
    model.version = 29;
    model.records = {wood, sea};
    model.remainder = std::string(40, '\x7F');
    return model;
}

class CliImportTest : public cli_test::CliTest {
protected:
    void SetUp() override { useModel(twoMaterials()); }

    void useModel(const ModelBytes& model) {
        model_ = model;
        original_ = test_support::encodeModel(model_);
        path_ = put("m.4ds", original_);
    }

    Outcome import(const std::string& edits, const std::vector<std::string>& options = {}) {
        std::vector<std::string> args{"import", path_, put("edits.json", edits)};
        args.insert(args.end(), options.begin(), options.end());
        return runCli(args);
    }

    Outcome importMaterial(const Json& material) { return import(Json{{"materials", Json::array({material})}}.dump()); }

    std::string saved() const { return withSavedHeader(test_support::encodeModel(model_)); }

    void expectRefusedAndUntouched(const Outcome& outcome) {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_EQ(read("m.4ds"), original_);
        EXPECT_EQ(folderContents(), (std::vector<std::string>{"edits.json", "m.4ds"}));
    }

    void expectRefusal(const Json& material, const std::string& line) {
        const Outcome outcome = importMaterial(material);
        expectRefusedAndUntouched(outcome);
        EXPECT_NE(outcome.err.find(line), std::string::npos) << material.dump() << " gave " << outcome.err;
    }

    ModelBytes model_;
    std::string original_;
    std::string path_;
};

TEST_F(CliImportTest, ShowThenImportOfRandomModelsChangesNothing) {
    // Random flag words, float bit patterns (not-a-number, infinities,
    // values outside 0..1), names with any byte, "|" among them, and
    // optional parts with empty names.
    std::mt19937 random(21);
    for (int round = 0; round < 6; ++round) {
        ModelBytes model;
        model.version = round % 2 == 0 ? 29 : 41;  // the wide records carry more floats
        for (int i = 0; i < 40; ++i) model.records.push_back(test_support::randomRecord(random));
        model.remainder = test_support::meshLikeBytes(random, 333);
        useModel(model);
        const Outcome shown = runCli({"show", path_});
        ASSERT_EQ(shown.status, 0);
        const Outcome imported = import(shown.out, {"-o", file("out.4ds")});
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(read("out.4ds"), withSavedHeader(original_)) << "round " << round;
    }
}

TEST_F(CliImportTest, GivenFieldsAreAppliedAndTheRestKept) {
    const Outcome outcome = importMaterial({{"number", 1},
                                            {"density", 0.75},
                                            {"diffuse", {0.5, 0.25, 1}},
                                            {"reflectionName", "CHROME"},
                                            {"reflectionDensity", 0.1}});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    RecordBytes& wood = model_.records[0];
    wood.density = 0.75F;
    wood.diffuse = {0.5F, 0.25F, 1.0F};
    wood.reflectionName = "CHROME.BMP";  // the name box's rule
    wood.reflectionDensity = 0.1F;
    wood.flags |= test_support::kReflectionBit;
    EXPECT_EQ(read("m.4ds"), saved());  // in place; ambient green 1.25 kept
}

TEST_F(CliImportTest, ComponentsEqualToTheStoredOnesAreNoChange) {
    // Green is given as stored, so only red changes; a colour is stored
    // whole, so the kept green 1.25 comes out clamped.
    ASSERT_EQ(importMaterial({{"number", 1}, {"ambient", {0.5, 1.25, 0.6}}}).status, 0);
    model_.records[0].ambient[0] = 0.5F;
    model_.records[0].ambient[1] = 1.0F;
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliImportTest, PrintedFloatTextsReadBackExactly) {
    ModelBytes model = twoMaterials();
    model.records[0].emission = {std::bit_cast<float>(0x7FC01234U), std::numeric_limits<float>::infinity(), -0.0F};
    useModel(model);
    // 0.30000001192092896 is the float 0.3 that is stored already, written
    // with more digits; 0.1 is the float nearest to it.
    const Outcome imported = import(R"({"materials": [{"number": 1, "emission": ["NaN:7FC01234", "Infinity", -0.0],
                                        "density": 0.30000001192092896, "diffuse": [0.1, 1e-1, 1]}]})");
    ASSERT_EQ(imported.status, 0) << imported.err;
    model_.records[0].diffuse = {0.1F, 0.1F, 1.0F};
    EXPECT_EQ(read("m.4ds"), saved());
}

// Every bit of the word changes but those that say which parts the record
// stores; "flagNames" only names what "flags" holds.
TEST_F(CliImportTest, FlagsChangeButTheLayoutBitsMustBeKept) {
    const std::uint32_t given = model_.records[0].flags ^ (kExtraSettings | kDoubleSided | 0x09000301);
    ASSERT_EQ(importMaterial({{"number", 1}, {"flags", given}, {"flagNames", cli::flagNamesToJson(given)}}).status, 0);
    model_.records[0].flags = given;
    EXPECT_EQ(read("m.4ds"), saved());

    original_ = read("m.4ds");
    for (const std::uint32_t layout :
         {0x00040000U, test_support::kReflectionBit, test_support::kAnimationBit, test_support::kAlphaBit})
        expectRefusal({{"number", 1}, {"flags", given ^ layout}}, "material 1, flags: ");
    expectRefusal({{"number", 1}, {"flagNames", cli::flagNamesToJson(given ^ kDoubleSided)}},
                  "material 1, flagNames: it names what \"flags\" holds");
}

TEST_F(CliImportTest, TextureBitsMayFollowTheNewNames) {
    // A material copied from another model brings the flag word that goes
    // with its names; the old word is just as good.
    const std::uint32_t withAlpha = model_.records[0].flags | test_support::kAlphaBit;
    ASSERT_EQ(importMaterial({{"number", 1}, {"alphaName", "MASK.BMP"}, {"flags", withAlpha}}).status, 0);
    ASSERT_EQ(importMaterial({{"number", 2}, {"alphaName", "MASK.BMP"}, {"flags", model_.records[1].flags}}).status, 0);
    model_.records[0].flags = withAlpha;
    model_.records[0].alphaName = "MASK.BMP";
    model_.records[1].flags |= test_support::kAlphaBit;
    model_.records[1].alphaName = "MASK.BMP";
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliImportTest, AnimationIsSetChangedAndRemoved) {
    ASSERT_EQ(importMaterial({{"number", 2}, {"animation", {{"frames", 9}, {"delay", 7}}}}).status, 0);
    model_.records[1].animation[0] = 9;
    model_.records[1].animation[6] = 7;
    EXPECT_EQ(read("m.4ds"), saved());

    ASSERT_EQ(importMaterial({{"number", 2}, {"animation", nullptr}}).status, 0);
    model_.records[1].flags &= ~test_support::kAnimationBit;
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliImportTest, CyrillicNamesConvertToCodePage1251) {
    ASSERT_EQ(
        importMaterial({{"number", 1}, {"diffuseName", "\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAC.BMP"}}).status,
        0);
    model_.records[0].diffuseName = "\xCA\xC0\xCC\xC5\xCD\xDC.BMP";
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliImportTest, RefusedValuesAreReportedWithMaterialAndField) {
    expectRefusal({{"number", 1}, {"density", 1.5}}, "material 1, density: ");
    expectRefusal({{"number", 1}, {"density", "NaN:7FC00000"}}, "material 1, density: ");
    expectRefusal({{"number", 1}, {"emission", {0, "-Infinity", 0}}}, "material 1, emission: ");
    expectRefusal({{"number", 2}, {"reflectionDensity", -0.5}}, "material 2, reflectionDensity: ");
    expectRefusal({{"number", 1}, {"reflectionDensity", 0.5}}, "material 1, reflectionDensity: ");  // no texture
    expectRefusal({{"number", 1}, {"diffuseName", std::string(252, 'D')}}, "material 1, diffuseName: ");
    expectRefusal({{"number", 1}, {"alphaName", "A|B.BMP"}}, "material 1, alphaName: ");
    expectRefusal({{"number", 1}, {"alphaName", "\xE4\xB8\xAD.BMP"}}, "material 1, alphaName: ");
    expectRefusal({{"number", 1}, {"alphaName", std::string("A\0B", 3)}},
                  "material 1, alphaName: a texture name is a file name");
    expectRefusal({{"number", 1}, {"diffuseName", "\x1F.BMP"}},
                  "material 1, diffuseName: a texture name is a file name");
    expectRefusal({{"number", 2}, {"animation", {{"frames", 1}, {"delay", 7}}}}, "material 2, animation: ");
    expectRefusal({{"number", 2}, {"animation", {{"frames", 258}, {"delay", 7}}}}, "material 2, animation: ");
    expectRefusal({{"number", 1}, {"animation", {{"frames", 2}, {"delay", 7}}}}, "material 1, animation: ");
}

TEST_F(CliImportTest, FrameCountsBeyondAByteAreRefusedAlsoOverABlockOfNoFrames) {
    // No byte holds 256 or -1, so neither may pass for the stored 0 as no change.
    ModelBytes model = twoMaterials();
    model.records[1].animation[0] = 0;
    useModel(model);
    for (const int frames : {256, -1})
        expectRefusal({{"number", 2}, {"animation", {{"frames", frames}, {"delay", 100}}}},
                      "material 2, animation: the frame count must lie within 2..255");
}

TEST_F(CliImportTest, MalformedFieldsAreRefused) {
    expectRefusal({{"number", 1}, {"density", "0.5"}}, "material 1, density: ");
    expectRefusal({{"number", 1}, {"ambient", {0.5, 0.5}}}, "material 1, ambient: ");
    expectRefusal({{"number", 1}, {"ambient", {0.5, 0.5, true}}}, "material 1, ambient: ");
    expectRefusal({{"number", 1}, {"diffuseName", 7}}, "material 1, diffuseName: ");
    expectRefusal({{"number", 1}, {"flags", -1}}, "material 1, flags: ");
    expectRefusal({{"number", 1}, {"flags", 4294967296}}, "material 1, flags: ");
    expectRefusal({{"number", 2}, {"animation", {{"frames", 4}}}}, "material 2, animation: ");
    expectRefusal({{"number", 2}, {"animation", {{"frames", 4}, {"delay", -1}}}}, "material 2, animation: ");
    expectRefusal({{"number", 2}, {"animation", {{"frames", 4.5}, {"delay", 1}}}}, "material 2, animation: ");
    expectRefusal({{"number", 1}, {"shine", 1}}, "material 1, shine: no such field");
    expectRefusal({{"density", 0.5}}, "materials[0]: ");
    expectRefusal({{"number", 0}}, "materials[0], number: no such material; the model has 2");
    expectRefusal({{"number", 3}}, "materials[0], number: ");
    expectRefusal({{"number", "1"}}, "materials[0], number: ");
}

TEST_F(CliImportTest, NumbersBeyondTheirFieldsAreRefusedLikeOtherValues) {
    ModelBytes model = twoMaterials();
    model.records[0].emission[1] = std::numeric_limits<float>::infinity();
    useModel(model);
    // 1e39 is no float, so it differs from the stored infinity.
    const Outcome outcome = import(R"({"version": 123456789012345678901234567890123456789012, "materials": [
        {"number": 1, "density": 1e40, "ambient": [3.5e38, 0, 0], "emission": [0, 1e39, 0], "reflectionDensity": 1e-60},
        {"number": 2, "animation": {"frames": 1e40, "delay": 1}, "diffuse": [0, 0, -1e40]},
        {"number": 1e40}], "remainderSize": 1e40})");
    expectRefusedAndUntouched(outcome);
    const std::string beyond = ": the number lies beyond what a 32-bit float holds";
    for (const std::string& line : std::vector<std::string>{
             "material 1, density" + beyond, "material 1, ambient" + beyond, "material 1, emission" + beyond,
             "material 1, reflectionDensity" + beyond, "material 2, animation: expected",
             "material 2, diffuse" + beyond,
             "materials[2], number: no such material", "version: the editor cannot change it",
             "remainderSize: the editor cannot change it"})
        EXPECT_NE(outcome.err.find(line), std::string::npos) << line << " in " << outcome.err;

    // Beyond even what the parser holds: the file cannot be read.
    const Outcome unreadable = import(R"({"materials": [{"number": 1, "density": 1e400}]})");
    expectRefusedAndUntouched(unreadable);
    EXPECT_EQ(unreadable.err, "Can't read file: " + file("edits.json") +
                                  ": the number 1e400 (ending at byte 45) is too large to read\n");
}

TEST_F(CliImportTest, AKeyGivenTwiceTakesItsLastValue) {
    // The first list and version would be refused; the second list (its key
    // spelt with an escape) changes material 2 to its last density and
    // material 1 to its last name.
    const Outcome outcome = import(R"({"materials": [{"number": 1, "density": 2}], "version": 30,
        "materi\u0061ls": [{"number": 2, "density": 0.5, "density": 0.25},
                            {"number": 1, "alphaName": "A|B", "alphaName": "MASK"}],
        "version": 29})");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    model_.records[1].density = 0.25F;
    model_.records[0].alphaName = "MASK.BMP";
    model_.records[0].flags |= test_support::kAlphaBit;
    EXPECT_EQ(read("m.4ds"), saved());

    original_ = read("m.4ds");
    const Outcome notAList = import(R"({"materials": [{"number": 1, "density": 0.5}], "materials": 7})");
    expectRefusedAndUntouched(notAList);
    EXPECT_EQ(notAList.err, "materials: expected an array of materials\n");
}

TEST_F(CliImportTest, EntriesAreNamedByTheirPlaceInTheList) {
    const Outcome outcome = import(
        R"({"materials": [7, [1], {"number": 1, "density": 2}, {"number": 2, "materials": []}, {"number": 9}]})");
    expectRefusedAndUntouched(outcome);
    EXPECT_EQ(outcome.err,
              "materials[0]: expected a material: an object with its \"number\"\n"
              "materials[1]: expected a material: an object with its \"number\"\n"
              "material 1, density: values must lie within 0..1\n"
              "material 2, materials: no such field\n"
              "materials[4], number: no such material; the model has 2\n");

    const Outcome notAList = import(R"({"materials": {"a": {"number": 1, "density": 2}}})");
    expectRefusedAndUntouched(notAList);
    EXPECT_EQ(notAList.err, "materials: expected an array of materials\n");
}

TEST_F(CliImportTest, FieldsTheEditorCannotChangeMustMatch) {
    const Json kept{{"version", 29}, {"remainderSize", 40}, {"materials", Json::array()}};
    ASSERT_EQ(import(kept.dump()).status, 0);
    original_ = read("m.4ds");

    const Outcome version = import(Json{{"version", 30}}.dump());
    expectRefusedAndUntouched(version);
    EXPECT_EQ(version.err, "version: the editor cannot change it; the model's is 29\n");
    const Outcome size = import(Json{{"remainderSize", 41}}.dump());
    expectRefusedAndUntouched(size);
    EXPECT_EQ(size.err, "remainderSize: the editor cannot change it; the model's is 40\n");
    const Outcome unknown = import(Json{{"name", "x"}}.dump());
    expectRefusedAndUntouched(unknown);
    EXPECT_EQ(unknown.err, "name: no such field\n");
}

TEST_F(CliImportTest, OneRefusalAnywhereWritesNothingAndAllAreListed) {
    const Json edits{
        {"materials",
         {{{"number", 1}, {"density", 0.5}},
          {{"number", 2}, {"density", 2.0}, {"diffuseName", "SEA"}, {"animation", {{"frames", 0}, {"delay", 1}}}},
          {{"number", 1}, {"density", 0.25}}}}};
    const Outcome outcome = import(edits.dump(), {"-o", file("out.4ds")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(read("m.4ds"), original_);
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"edits.json", "m.4ds"}));
    for (const char* line : {"material 2, density: ", "material 2, animation: the frame count",
                             "material 2, animation: an animated diffuse name", "material 1, number: "})
        EXPECT_NE(outcome.err.find(line), std::string::npos) << line << " in " << outcome.err;
}

TEST_F(CliImportTest, UnreadableEditsAreReported) {
    const Outcome notJson = import("{\"materials\": [");
    expectRefusedAndUntouched(notJson);
    EXPECT_TRUE(notJson.err.starts_with("Can't read file: " + file("edits.json") + ": not JSON")) << notJson.err;

    expectRefusedAndUntouched(import("[1, 2]"));

    const Outcome missing = runCli({"import", path_, file("none.json")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Can't read file: " + file("none.json") + "\n");
}

TEST_F(CliImportTest, WrongUsageExitsWithTwo) {
    const std::string edits = put("edits.json", "{}");
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"import", path_},
                                               {"import", path_, edits, "more"},
                                               {"import", path_, edits, "-o"},
                                               {"import", path_, edits, "-x", "y"},
                                               {"import", path_, edits, "-o", "a", "-o", "b"}}) {
        const Outcome outcome = runCli(wrong);
        EXPECT_EQ(outcome.status, 2) << testing::PrintToString(wrong);
        EXPECT_NE(outcome.err.find("Usage: skirvane-cli import "), std::string::npos);
    }
    EXPECT_EQ(read("m.4ds"), original_);
}

}  // namespace
