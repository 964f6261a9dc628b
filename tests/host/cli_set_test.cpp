// skirvane-cli set on generated models: the saved bytes are compared with
// models encoded independently from the expected fields.
#include <gtest/gtest.h>

#include "cli/json_model.h"
#include "cli_test_support.h"

namespace {

using cli_test::Outcome;
using cli_test::runCli;
using test_support::ModelBytes;
using test_support::RecordBytes;
using test_support::withSavedHeader;

constexpr std::uint32_t kDiffuseBit = 0x00040000;
constexpr std::uint32_t kExtraSettings = 0x00008000;
constexpr std::uint32_t kDoubleSided = 0x10000000;
constexpr std::uint32_t kAlphaHighlight = 0x02000000;

// Three materials: a plain one with an unnamed bit and an out-of-range
// emission, a reflective and alpha-masked one, an animated one.
ModelBytes threeMaterials() {
    RecordBytes wood;
    wood.flags = kDiffuseBit | kExtraSettings | kDoubleSided | 0x00000100;
    wood.ambient = {0.2F, 0.4F, 0.6F};
    wood.diffuse = {0.1F, 0.1F, 0.1F};
    wood.emission = {1.5F, 0.0F, 0.0F};
    wood.density = 0.3F;
    wood.diffuseName = "WOOD01.BMP";
    RecordBytes glass;
    glass.flags = test_support::kReflectionBit | kDiffuseBit | test_support::kAlphaBit;
    glass.reflectionDensity = 0.7F;
    glass.reflectionName = "ENV.BMP";
    glass.diffuseName = "GLASS.BMP";
    glass.alphaName = "GLASS_A.BMP";
    RecordBytes sea;
    sea.flags = kDiffuseBit | test_support::kAnimationBit;
    sea.diffuseName = "SEA00.BMP";
    sea.animation = {4, 1, 2, 3, 4, 5, 100, 0, 0, 0, 9};
    ModelBytes model;
    model.records = {wood, glass, sea};
    model.remainder = "mesh bytes";
    return model;
}

class CliSetTest : public cli_test::CliTest {
protected:
    void SetUp() override {
        model_ = threeMaterials();
        original_ = test_support::encodeModel(model_);
        path_ = put("m.4ds", original_);
    }

    Outcome set(std::vector<std::string> changes) {
        changes.insert(changes.begin(), {"set", path_});
        return runCli(changes);
    }

    // The model as saved after the expected change of `model_`.
    std::string saved() const { return withSavedHeader(test_support::encodeModel(model_)); }

    void expectRefusedAndUntouched(const Outcome& outcome) {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_EQ(read("m.4ds"), original_);
        EXPECT_EQ(folderContents(), std::vector<std::string>{"m.4ds"});
    }

    ModelBytes model_;
    std::string original_;
    std::string path_;
};

TEST_F(CliSetTest, ChangesOnlyWhatItNames) {
    const Outcome outcome = set({"1", "--density", "0.25", "--ambient", "0.5,0.25,1"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.out.empty());
    EXPECT_TRUE(outcome.err.empty());
    model_.records[0].density = 0.25F;
    model_.records[0].ambient = {0.5F, 0.25F, 1.0F};
    EXPECT_EQ(read("m.4ds"), saved());  // saved in place; the unnamed bit and emission 1.5 kept
}

TEST_F(CliSetTest, ValuesAreTakenAsTheNearestFloat) {
    ASSERT_EQ(set({"2", "--reflection-density", "0.1", "--diffuse=0.3,1e-1,.5", "--emission", "0,0,0"}).status, 0);
    model_.records[1].reflectionDensity = 0.1F;
    model_.records[1].diffuse = {0.3F, 0.1F, 0.5F};
    model_.records[1].emission = {0.0F, 0.0F, 0.0F};
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliSetTest, SeveralChangesGoToTheOutputAndLeaveTheModel) {
    const Outcome outcome = set({"1", "--diffuse-name", "STONE00", "--animation", "5,40", "--flag", "+AlphaHighlight",
                                 "--flag", "-DoubleSided", "-o", file("out.4ds")});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(read("m.4ds"), original_);
    RecordBytes& wood = model_.records[0];
    wood.diffuseName = "STONE00.BMP";
    wood.flags = (wood.flags & ~kDoubleSided) | kAlphaHighlight | test_support::kAnimationBit;
    wood.animation = {5, 0, 0, 0, 0, 0, 40};
    EXPECT_EQ(read("out.4ds"), saved());
}

TEST_F(CliSetTest, NamesFollowTheNameBoxRule) {
    ASSERT_EQ(set({"2", "--reflection-name", "rock", "--diffuse-name", "sky.tga", "--alpha-name", ""}).status, 0);
    RecordBytes& glass = model_.records[1];
    glass.reflectionName = "rock.BMP";
    glass.diffuseName = "sky.tga";
    glass.alphaName.clear();
    glass.flags &= ~test_support::kAlphaBit;  // the alpha texture is gone
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliSetTest, CyrillicNamesAreStoredInCodePage1251) {
    // "КАМЕНЬ" typed as UTF-8.
    ASSERT_EQ(set({"1", "--diffuse-name", "\xD0\x9A\xD0\x90\xD0\x9C\xD0\x95\xD0\x9D\xD0\xAC"}).status, 0);
    model_.records[0].diffuseName = "\xCA\xC0\xCC\xC5\xCD\xDC.BMP";
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliSetTest, RenamingTheAnimatedTextureAwayFromZeroZeroDropsItsAnimation) {
    ASSERT_EQ(set({"3", "--diffuse-name", "SEA.BMP"}).status, 0);
    model_.records[2].diffuseName = "SEA.BMP";
    model_.records[2].flags = kDiffuseBit;
    EXPECT_EQ(read("m.4ds"), saved());
}

// A set bit with an empty name keeps its part of the record, and a block
// the editor would not make stays while the diffuse name does.
TEST_F(CliSetTest, RenamingOneTextureKeepsTheOtherPartsOfTheRecord) {
    RecordBytes& sea = model_.records[2];
    sea.flags |= test_support::kReflectionBit;
    sea.reflectionDensity = 0.7F;
    sea.animation[0] = 1;  // one frame
    original_ = test_support::encodeModel(model_);
    put("m.4ds", original_);
    ASSERT_EQ(set({"3", "--alpha-name", "FOAM"}).status, 0);
    sea.alphaName = "FOAM.BMP";
    sea.flags |= test_support::kAlphaBit;
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliSetTest, AnimationCanBeChangedAndRemoved) {
    ASSERT_EQ(set({"3", "--animation", "255,4294967295"}).status, 0);
    model_.records[2].animation[0] = 255;
    for (int i = 6; i < 10; ++i) model_.records[2].animation[static_cast<std::size_t>(i)] = 0xFF;
    EXPECT_EQ(read("m.4ds"), saved());  // the block's other bytes stay

    ASSERT_EQ(set({"3", "--no-animation"}).status, 0);
    model_.records[2].flags = kDiffuseBit;
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliSetTest, EveryRefusalIsListedAndNothingIsWritten) {
    const Outcome outcome = set({"1", "--density", "1.5", "--ambient", "0.5,-0.1,0", "--emission", "nan,0,0",
                                 "--animation", "2,10", "-o", file("out.4ds")});
    expectRefusedAndUntouched(outcome);
    for (const char* line :
         {"material 1, ambient: ", "material 1, emission: ", "material 1, density: ", "material 1, animation: "})
        EXPECT_NE(outcome.err.find(line), std::string::npos) << line << " in " << outcome.err;
}

TEST_F(CliSetTest, ValuesBeyondTheFloatRangeAreRefusedNotReplaced) {
    for (const char* value : {"1e40", "-1e40", "1e-60"}) {
        const Outcome outcome = set({"1", "--density", value});
        expectRefusedAndUntouched(outcome);
        EXPECT_NE(outcome.err.find("material 1, density: "), std::string::npos) << value;
    }
}

TEST_F(CliSetTest, RefusedNamesAreReported) {
    const std::string tooLong(252, 'N');  // 256 characters with ".BMP"
    const Outcome outcome = set({"2", "--reflection-name", tooLong, "--diffuse-name", "A|B.BMP", "--alpha-name",
                                 "\xE4\xB8\xAD.BMP"});  // a Chinese character
    expectRefusedAndUntouched(outcome);
    for (const char* field :
         {"material 2, reflection-name: ", "material 2, diffuse-name: ", "material 2, alpha-name: "})
        EXPECT_NE(outcome.err.find(field), std::string::npos) << field << " in " << outcome.err;
}

TEST_F(CliSetTest, NamesMustBeWellFormedUtf8WithoutControlCharacters) {
    const Outcome outcome = set({"2", "--reflection-name", "\xC0\x80X", "--diffuse-name", "A\tB", "--alpha-name",
                                 "\xED\xA0\x80.BMP"});  // NUL in two bytes, a tab, a surrogate
    expectRefusedAndUntouched(outcome);
    EXPECT_EQ(outcome.err,
              "material 2, reflection-name: the text is not well-formed UTF-8\n"
              "material 2, diffuse-name: a texture name is a file name and cannot hold control characters "
              "(U+0000..U+001F)\n"
              "material 2, alpha-name: the text is not well-formed UTF-8\n");
}

TEST_F(CliSetTest, FrameCountsOutsideTwoTo255AreRefusedEvenWhenTheyWrapAByte) {
    for (const char* frames : {"1", "256", "258", "-3"}) {
        const Outcome outcome = set({"3", "--animation", std::string(frames) + ",10"});
        expectRefusedAndUntouched(outcome);
        EXPECT_NE(outcome.err.find("material 3, animation: "), std::string::npos) << frames;
    }
}

TEST_F(CliSetTest, AnimationNeedsTheZeroZeroName) {
    const Outcome outcome = set({"2", "--animation", "4,10"});
    expectRefusedAndUntouched(outcome);
    EXPECT_NE(outcome.err.find("material 2, animation: "), std::string::npos);
}

TEST_F(CliSetTest, ReflectionDensityWithoutAReflectionTextureIsRefused) {
    // The file holds the density only with the texture, so it would be lost.
    expectRefusedAndUntouched(set({"1", "--reflection-density", "0.5"}));
    expectRefusedAndUntouched(set({"2", "--reflection-density", "0.5", "--reflection-name", ""}));
    ASSERT_EQ(set({"1", "--reflection-density", "0.5", "--reflection-name", "ENV"}).status, 0);
    model_.records[0].flags |= test_support::kReflectionBit;
    model_.records[0].reflectionDensity = 0.5F;
    model_.records[0].reflectionName = "ENV.BMP";
    EXPECT_EQ(read("m.4ds"), saved());
}

TEST_F(CliSetTest, MaterialOutsideTheModelIsRefused) {
    for (const char* number : {"0", "4"}) {
        const Outcome outcome = set({number, "--density", "0.5"});
        expectRefusedAndUntouched(outcome);
        EXPECT_EQ(outcome.err, "material " + std::string(number) + ": no such material; the model has 3\n");
    }
}

TEST_F(CliSetTest, WrongUsageExitsWithTwoAndWritesNothing) {
    const std::vector<std::vector<std::string>> wrong{
        {"1"},                        // no change
        {"one", "--density", "0.5"},  // number
        {"1", "--density"},           // missing value
        {"1", "--density", "half"},   // not a number
        {"1", "--density", "0.5x"},
        {"1", "--ambient", "0.5,0.5"},  // two components
        {"1", "--ambient", "0.5,0.5,0.5,0.5"},
        {"1", "--flag", "DoubleSided"},  // no sign
        {"1", "--flag", "+Shiny"},       // no such flag
        {"1", "--flag", "+Base"},        // not an editor flag
        {"1", "--flag", "+AnimatedDiffuse"},
        {"1", "--flag", "-ReflectionTexture"},
        {"1", "--flag", "+DoubleSided", "--flag", "-DoubleSided"},
        {"1", "--density", "0.1", "--density", "0.2"},  // twice
        {"1", "--animation", "2,10", "--no-animation"},
        {"1", "--animation", "2"},
        {"1", "--animation", "2,-1"},
        {"1", "--animation", "2,4294967296"},
        {"1", "--shine", "1"},
        {"1", "--density", "0.5", "extra"},
    };
    for (const std::vector<std::string>& changes : wrong) {
        const Outcome outcome = set(changes);
        EXPECT_EQ(outcome.status, 2) << testing::PrintToString(changes);
        EXPECT_NE(outcome.err.find("Usage: skirvane-cli set "), std::string::npos);
        EXPECT_EQ(read("m.4ds"), original_);
    }
    for (const char* flag : {"+Base", "+AlphaTexture", "-AnimatedDiffuse"})
        EXPECT_NE(set({"1", "--flag", flag})
                      .err.find("NAME a switch of the flag word (see --help) other than "
                                "DiffuseTexture, ReflectionTexture, AnimatedDiffuse and "
                                "AlphaTexture\n"),
                  std::string::npos)
            << flag;
    EXPECT_EQ(set({"1", "--tiling", "-1"}).status, 2);
}

// Every switch and number of the flag word changes alone; setting
// ImageAlpha under a stored alpha name needs that name removed too, and the
// numbers keep to their bits.
TEST_F(CliSetTest, EverySwitchAndNumberOfTheFlagWordChangesAlone) {
    ASSERT_EQ(set({"1", "--flag", "+NoWrapU", "--flag", "-DoubleSided", "--flag", "+ImageAlpha", "--tiling", "7",
                   "--blend-mode", "5", "--mapping-mode", "2"})
                  .status,
              0);
    RecordBytes& wood = model_.records[0];
    wood.flags = ((wood.flags & ~kDoubleSided & ~0x000077FFU) | 0x00010000 | 0x01000000) | 0x00002507;
    EXPECT_EQ(read("m.4ds"), saved());
    const cli::Json shown = cli::Json::parse(runCli({"show", path_}).out)["materials"][0]["flagNames"];
    EXPECT_EQ(shown, (cli::Json{{"switches", {"ExtraSettings", "NoWrapU", "DiffuseTexture", "ImageAlpha"}},
                                {"tiling", 7},
                                {"blendMode", 5},
                                {"mappingMode", 2}}));

    original_ = read("m.4ds");
    Outcome refused = set({"2", "--flag", "+ImageAlpha"});
    expectRefusedAndUntouched(refused);
    EXPECT_NE(refused.err.find("material 2, flags: with ImageAlpha no alpha name is stored"), std::string::npos);
    refused = set({"1", "--blend-mode", "8", "--tiling", "256"});
    expectRefusedAndUntouched(refused);
    EXPECT_NE(refused.err.find("material 1, tiling: the tiling count lies within 0..255"), std::string::npos);
    EXPECT_NE(refused.err.find("material 1, blend-mode: "), std::string::npos);
    ASSERT_EQ(set({"2", "--flag", "+ImageAlpha", "--alpha-name", ""}).status, 0);
}

TEST_F(CliSetTest, UnreadableModelAndUnwritableOutputAreReported) {
    const Outcome missing = runCli({"set", file("none.4ds"), "1", "--density", "0.5"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Can't read file: " + file("none.4ds") + "\n");

    const std::string target = (folder_.path() / "no-folder" / "out.4ds").string();
    const Outcome unwritable = set({"1", "--density", "0.5", "-o", target});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "Can't write file: " + target + "\n");
    EXPECT_EQ(folderContents(), std::vector<std::string>{"m.4ds"});
}

}  // namespace
