#include "model/material_edit.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <random>

#include "core/file_stream.h"
#include "core/object.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using core::Ref;
using model::EditProblem;
using model::EditRefusal;
using model::Material;
using model::MaterialEdit;
using test_support::RecordBytes;

TEST(SliderScale, RoundingTakesTheEvenNeighbourOfAHalf) {
    EXPECT_EQ(model::roundHalfEven(12.5), 12);
    EXPECT_EQ(model::roundHalfEven(13.5), 14);
    EXPECT_EQ(model::roundHalfEven(-0.5), 0);
    EXPECT_EQ(model::roundHalfEven(12.51), 13);
    EXPECT_EQ(model::roundHalfEven(-2.5), -2);
}

TEST(SliderScale, PositionsAndColourBytesConvertWithTiesToEven) {
    EXPECT_EQ(model::colorByteOfPosition(50), 128);  // 127.5
    EXPECT_EQ(model::colorByteOfPosition(13), 33);
    EXPECT_EQ(model::colorByteOfPosition(100), 255);
    EXPECT_EQ(model::colorByteOfPosition(150), 255);  // a bar holds no more than 100
    EXPECT_EQ(model::sliderPositionOfByte(200), 78);
    EXPECT_EQ(model::sliderPositionOfByte(255), 100);
    EXPECT_EQ(model::sliderPositionOfByte(0), 0);
}

TEST(SliderScale, StoredValuesShowClampedToTheBar) {
    EXPECT_EQ(model::sliderPositionOf(0.5F), 50);
    EXPECT_EQ(model::sliderPositionOf(0.126F), 13);
    EXPECT_EQ(model::sliderPositionOf(0.337F), 34);
    EXPECT_EQ(model::sliderPositionOf(1.7F), 100);
    EXPECT_EQ(model::sliderPositionOf(-0.2F), 0);
    EXPECT_EQ(model::sliderPositionOf(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(model::valueOfSliderPosition(34), 0.34F);
    EXPECT_EQ(model::valueOfSliderPosition(100), 1.0F);
}

TEST(SliderScale, DragPositionRoundsThePointerOverTheBar) {
    EXPECT_EQ(model::dragPosition(184, 185), 99);
    EXPECT_EQ(model::dragPosition(185, 185), 100);
    EXPECT_EQ(model::dragPosition(1, 200), 0);  // 0.5 goes to 0
    EXPECT_EQ(model::dragPosition(3, 200), 2);  // 1.5 goes to 2
    EXPECT_EQ(model::dragPosition(10, 0), 0);
}

TEST(TextureNameRule, ViewerReadsBmpAndTgaNamesInAnyLetterCase) {
    using core::ImageFormat;
    for (const char* name : {"A.BMP", "b.bmp", "c.Bmp", "X.BMP.BMP", "SKY.TGA.BMP", ".bmp"})
        EXPECT_EQ(model::viewerFormatOf(name), ImageFormat::Bmp) << name;
    for (const char* name : {"C.TGA", "d.tga", "E.tGa"})
        EXPECT_EQ(model::viewerFormatOf(name), ImageFormat::Tga) << name;
    for (const char* name : {"", "BMP", "A.BMPX", "A.DDS", "A.BMP ", "A_BMP", "TGA"})
        EXPECT_EQ(model::viewerFormatOf(name), std::nullopt) << name;
}

TEST(TextureNameRule, NameBoxAppendsBmpWhereNoExtensionIsFound) {
    EXPECT_EQ(model::acceptTextureName("STONE"), "STONE.BMP");
    EXPECT_EQ(model::acceptTextureName("SKY.TGA"), "SKY.TGA");
    EXPECT_EQ(model::acceptTextureName("SKY.BMP"), "SKY.BMP");
    EXPECT_EQ(model::acceptTextureName(""), "");
    EXPECT_EQ(model::acceptTextureName("A.BMP.OLD"), "A.BMP.OLD");
    EXPECT_EQ(model::acceptTextureName("rock.bmp"), "rock.bmp");
    EXPECT_EQ(model::acceptTextureName("glass.Tga"), "glass.Tga");
}

TEST(TextureNameRule, NameBoxRefusesWhatAMaterialCannotHold) {
    const std::string longest = std::string(251, 'A') + ".BMP";
    EXPECT_EQ(model::acceptTextureName(longest), longest);
    EXPECT_EQ(model::acceptTextureName(std::string(252, 'A') + ".BMP"), std::nullopt);
    EXPECT_EQ(model::acceptTextureName(std::string(251, 'A')), std::string(251, 'A') + ".BMP");
    EXPECT_EQ(model::acceptTextureName(std::string(252, 'A')), std::nullopt);  // 256 with ".BMP"
    EXPECT_EQ(model::acceptTextureName("A|B.BMP"), std::nullopt);
    EXPECT_EQ(model::acceptTextureName("|"), std::nullopt);
}

TEST(TextureNameRule, FrameCountsRunFromTwoTo255) {
    EXPECT_FALSE(model::isFrameCount(1));
    EXPECT_TRUE(model::isFrameCount(2));
    EXPECT_TRUE(model::isFrameCount(255));
    EXPECT_FALSE(model::isFrameCount(256));
    EXPECT_FALSE(model::isFrameCount(-2));
}

TEST(TextureNameRule, FrameCountTextIsReadWithoutWrappingAt32Bits) {
    EXPECT_EQ(model::frameCountOfText("2"), 2);
    EXPECT_EQ(model::frameCountOfText("+255x"), 255);
    EXPECT_EQ(model::frameCountOfText("0002"), 2);
    EXPECT_EQ(model::frameCountOfText("4294967298"), std::nullopt);            // 2 once wrapped at 32 bits
    EXPECT_EQ(model::frameCountOfText("18446744073709551618"), std::nullopt);  // 2 once wrapped at 64 bits
    EXPECT_EQ(model::frameCountOfText("256"), std::nullopt);
    EXPECT_EQ(model::frameCountOfText("1"), std::nullopt);
    EXPECT_EQ(model::frameCountOfText("-3"), std::nullopt);
    EXPECT_EQ(model::frameCountOfText(""), std::nullopt);
}

// Materials are made by reading records, as a model file makes them.
class MaterialEditTest : public ::testing::Test {
protected:
    Ref<Material> materialOf(const RecordBytes& record) {
        const std::string bytes = test_support::encodeRecord(record);
        test_support::writeFileBytes(folder_.file("record"), bytes);
        Ref<core::FileStream> stream = core::openFileForReading(folder_.file("record"));
        Ref<Material> material = core::create<Material>();
        EXPECT_TRUE(material->read(*stream));
        return material;
    }

    std::string written(const Material& material) {
        {
            Ref<core::FileStream> stream = core::createFileForWriting(folder_.file("written"));
            EXPECT_TRUE(material.write(*stream));
        }
        return test_support::readFileBytes(folder_.file("written"));
    }

    static RecordBytes animatedRecord(const std::string& diffuseName) {
        RecordBytes record;
        record.flags = 0x00040000 | test_support::kAnimationBit;
        record.diffuseName = diffuseName;
        record.animation = {4, 9, 9, 9, 9, 9, 100, 0, 0, 0, 7};
        return record;
    }

    test_support::TempFolder folder_;
};

TEST_F(MaterialEditTest, UnnamedBitsAndAClearedBaseSurviveAFlagChange) {
    RecordBytes record;
    record.flags = 0x01000000 | model::DiffuseTexture | model::ExtraSettings;  // no Base
    record.diffuseName = "WOOD.BMP";
    Ref<Material> material = materialOf(record);
    MaterialEdit edit;
    edit.flagsToSet = model::DoubleSided;
    edit.flagsToClear = model::ExtraSettings;
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_EQ(material->flags(), 0x01000000U | model::DiffuseTexture | model::DoubleSided);
}

TEST_F(MaterialEditTest, WhatTheEditDoesNotNameKeepsItsStoredBytes) {
    RecordBytes record;
    record.flags = 0x00000100;
    record.ambient = {1.7F, std::bit_cast<float>(0x7FC01234U), -0.5F};
    record.diffuse = {0.1F, 0.2F, 0.3F};
    record.emission = {-0.0F, 2.0F, 0.5F};
    record.density = 0.3F;
    Ref<Material> material = materialOf(record);
    MaterialEdit edit;
    edit.density = 0.75F;
    ASSERT_TRUE(model::applyEdit(*material, edit));
    record.density = 0.75F;
    EXPECT_EQ(written(*material), test_support::encodeRecord(record));
}

TEST_F(MaterialEditTest, ChangedComponentStoresItsColourWholeWithNeighboursClamped) {
    RecordBytes record;
    record.ambient = {1.7F, 0.2F, -0.5F};
    Ref<Material> material = materialOf(record);
    MaterialEdit edit;
    edit.ambient[1] = 0.4F;
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_EQ(material->ambient(), (model::Color{1.0F, 0.4F, 0.0F}));
}

TEST_F(MaterialEditTest, NamedNameChangesAloneAndBringsItsBit) {
    RecordBytes record;
    record.flags = test_support::kReflectionBit | model::DiffuseTexture;
    record.reflectionName = "ENV.BMP";
    record.diffuseName = "WOOD.BMP";
    Ref<Material> material = materialOf(record);
    MaterialEdit edit;
    edit.names[model::AlphaKind] = "MASK.BMP";
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_EQ(material->getTextureNames(), "ENV.BMP|WOOD.BMP|MASK.BMP");
    EXPECT_EQ(material->flags(), test_support::kReflectionBit | model::DiffuseTexture | model::AlphaTexture);

    MaterialEdit removal;
    removal.names[model::ReflectionKind] = "";
    ASSERT_TRUE(model::applyEdit(*material, removal));
    EXPECT_EQ(material->getTextureNames(), "|WOOD.BMP|MASK.BMP");
    EXPECT_EQ(material->flags(), model::DiffuseTexture | model::AlphaTexture);
}

TEST_F(MaterialEditTest, AnimationNeedsZeroZeroBeforeTheExtension) {
    Ref<Material> material = materialOf({.flags = model::DiffuseTexture, .diffuseName = "SEA00.BMP"});
    MaterialEdit edit;
    edit.animation = model::Animation{5, 40};
    ASSERT_TRUE(model::applyEdit(*material, edit));
    std::uint8_t frames = 0;
    std::uint32_t delay = 0;
    ASSERT_TRUE(material->getAnimation(frames, delay));
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(delay, 40U);
    EXPECT_NE(material->flags() & model::AnimatedDiffuse, 0U);

    Ref<Material> plain = materialOf({.flags = model::DiffuseTexture, .diffuseName = "SEA.BMP"});
    const std::vector<EditProblem> problems = model::checkEdit(*plain, edit);
    ASSERT_EQ(problems.size(), 1U);
    EXPECT_EQ(problems[0].refusal, EditRefusal::NameNotAnimatable);
    EXPECT_EQ(problems[0].field, "animation");
    EXPECT_FALSE(model::applyEdit(*plain, edit));
    EXPECT_FALSE(plain->animation().has_value());
}

TEST_F(MaterialEditTest, AnimationMayComeWithTheNameThatAllowsIt) {
    Ref<Material> material = materialOf({.flags = model::DiffuseTexture, .diffuseName = "SEA.BMP"});
    MaterialEdit edit;
    edit.names[model::DiffuseKind] = "WAVE00.BMP";
    edit.animation = model::Animation{3, 1};
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_EQ(material->diffuseName(), "WAVE00.BMP");
    EXPECT_TRUE(material->animation().has_value());
}

TEST_F(MaterialEditTest, FrameCountsOutsideTheRangeAreRefused) {
    Ref<Material> material = materialOf({.flags = model::DiffuseTexture, .diffuseName = "SEA00.BMP"});
    for (const std::uint8_t frames : {0, 1}) {
        MaterialEdit edit;
        edit.animation = model::Animation{frames, 10};
        const std::vector<EditProblem> problems = model::checkEdit(*material, edit);
        ASSERT_EQ(problems.size(), 1U) << int{frames};
        EXPECT_EQ(problems[0].refusal, EditRefusal::FrameCountOutOfRange);
        EXPECT_FALSE(model::applyEdit(*material, edit));
    }
    EXPECT_FALSE(material->animation().has_value());
}

TEST_F(MaterialEditTest, RemovingTheAnimationDropsTheBlockAndTheBit) {
    Ref<Material> material = materialOf(animatedRecord("SEA00.BMP"));
    MaterialEdit edit;
    edit.animation = std::optional<model::Animation>();
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_FALSE(material->animation().has_value());
    EXPECT_EQ(material->flags(), model::DiffuseTexture);
}

TEST_F(MaterialEditTest, RemovingTheAnimationWorksWithoutADiffuseName) {
    // A file may carry an animation block with an empty diffuse name, which
    // the material's own animation setter leaves alone.
    Ref<Material> material = materialOf(animatedRecord(""));
    ASSERT_TRUE(material->animation().has_value());
    MaterialEdit edit;
    edit.animation = std::optional<model::Animation>();
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_FALSE(material->animation().has_value());
    EXPECT_EQ(material->flags() & model::AnimatedDiffuse, 0U);
}

TEST_F(MaterialEditTest, RenamingTheDiffuseAwayFromZeroZeroDropsTheAnimation) {
    Ref<Material> material = materialOf(animatedRecord("SEA00.BMP"));
    MaterialEdit edit;
    edit.names[model::DiffuseKind] = "SEA.BMP";
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_FALSE(material->animation().has_value());
    EXPECT_EQ(material->flags(), model::DiffuseTexture);
}

TEST_F(MaterialEditTest, RenamingWithinTheSequenceKeepsTheAnimationBytes) {
    Ref<Material> material = materialOf(animatedRecord("SEA00.BMP"));
    const Material::AnimationBlock block = *material->animation();
    MaterialEdit edit;
    edit.names[model::DiffuseKind] = "LAKE00.BMP";
    ASSERT_TRUE(model::applyEdit(*material, edit));
    EXPECT_EQ(material->animation(), block);
}

TEST_F(MaterialEditTest, EveryRefusalIsListedAndNothingChanges) {
    RecordBytes record;
    record.flags = model::DiffuseTexture;
    record.diffuseName = "ROCK.BMP";
    record.ambient = {0.5F, 0.5F, 0.5F};
    const Ref<Material> material = materialOf(record);
    MaterialEdit edit;
    edit.ambient = {0.1F, std::numeric_limits<float>::quiet_NaN(), 0.2F};
    edit.diffuse = {0.1F, 0.1F, 0.1F};  // allowed, yet not made since others are refused
    edit.emission[2] = 1.01F;
    edit.reflectionDensity = -0.01F;
    edit.density = 2.0F;
    edit.names[model::ReflectionKind] = std::string(256, 'E');
    edit.names[model::AlphaKind] = "A|B";
    edit.flagsToSet = model::DoubleSided | model::AnimatedDiffuse;
    edit.blendMode = 8;
    edit.animation = model::Animation{1, 0};

    const std::vector<EditProblem> problems = model::checkEdit(*material, edit);
    std::vector<std::pair<EditRefusal, std::string>> listed;
    for (const EditProblem& problem : problems) listed.emplace_back(problem.refusal, problem.field);
    const std::vector<std::pair<EditRefusal, std::string>> expected{
        {EditRefusal::ValueOutOfRange, "ambient"},
        {EditRefusal::ValueOutOfRange, "emission"},
        {EditRefusal::ValueOutOfRange, "reflection-density"},
        {EditRefusal::ValueOutOfRange, "density"},
        {EditRefusal::NameTooLong, "reflection-name"},
        {EditRefusal::NameHasSeparator, "alpha-name"},
        {EditRefusal::LayoutFlag, "flags"},
        {EditRefusal::FlagFieldOutOfRange, "blend-mode"},
        {EditRefusal::FrameCountOutOfRange, "animation"},
        {EditRefusal::NameNotAnimatable, "animation"},
    };
    EXPECT_EQ(listed, expected);
    EXPECT_FALSE(model::applyEdit(*material, edit));
    EXPECT_EQ(written(*material), test_support::encodeRecord(record));
}

// A record stores its alpha name only after a diffuse name and without the
// image-alpha bit: a change that would leave an alpha name the file cannot
// hold is refused, one that removes both names at once is made.
TEST_F(MaterialEditTest, AlphaNameStaysOnlyWhereTheRecordStoresIt) {
    RecordBytes glass = test_support::recordWithNames("", "GLASS.BMP", "GLASS+.BMP");
    RecordBytes alphaBitOnly = test_support::recordWithNames("", "", "");
    alphaBitOnly.flags |= test_support::kAlphaBit | model::DiffuseTexture;  // as real files have it
    RecordBytes ownAlpha = test_support::recordWithNames("", "LEAF.BMP", "");
    ownAlpha.flags |= test_support::kImageAlphaBit | test_support::kAlphaBit;

    const auto problemsOf = [this](const RecordBytes& record, std::optional<std::string> diffuse,
                                   std::optional<std::string> alpha) {
        MaterialEdit edit;
        edit.names[model::DiffuseKind] = std::move(diffuse);
        edit.names[model::AlphaKind] = std::move(alpha);
        std::vector<std::pair<EditRefusal, std::string>> listed;
        for (const EditProblem& problem : model::checkEdit(*materialOf(record), edit))
            listed.emplace_back(problem.refusal, problem.field);
        return listed;
    };
    using Listed = std::vector<std::pair<EditRefusal, std::string>>;
    EXPECT_EQ(problemsOf(glass, "", std::nullopt), (Listed{{EditRefusal::AlphaNameWouldVanish, "diffuse-name"}}));
    EXPECT_EQ(problemsOf(glass, "", "MASK.BMP"), (Listed{{EditRefusal::AlphaNameNotStored, "alpha-name"}}));
    EXPECT_EQ(problemsOf(alphaBitOnly, std::nullopt, "MASK.BMP"),
              (Listed{{EditRefusal::AlphaNameNotStored, "alpha-name"}}));
    EXPECT_EQ(problemsOf(ownAlpha, std::nullopt, "MASK.BMP"),
              (Listed{{EditRefusal::AlphaNameNotStored, "alpha-name"}}));
    EXPECT_TRUE(problemsOf(alphaBitOnly, "BOX.BMP", "BOX+.BMP").empty());

    // Both names removed in one change: the alpha name goes first.
    Ref<Material> material = materialOf(glass);
    MaterialEdit removal;
    removal.names[model::DiffuseKind] = "";
    removal.names[model::AlphaKind] = "";
    ASSERT_TRUE(model::applyEdit(*material, removal));
    EXPECT_EQ(written(*material), test_support::encodeRecord(test_support::recordWithNames("", "", "")));

    // The material itself refuses what the edits refuse.
    material = materialOf(glass);
    EXPECT_FALSE(material->setTextureName(model::DiffuseKind, ""));
    EXPECT_FALSE(materialOf(ownAlpha)->setTextureName(model::AlphaKind, "MASK.BMP"));
    EXPECT_EQ(written(*material), test_support::encodeRecord(glass));
}

// A renamed texture changes only that name and its bit: a set bit with an
// empty name keeps its part of the record (the reflection density, the
// alpha length byte), and only a new diffuse name checks the animation
// block again.
TEST_F(MaterialEditTest, RenamingOneTextureKeepsEveryOtherByteOfTheRecord) {
    RecordBytes emptyParts;  // the bits of reflection, alpha and animation without names or a usable block
    emptyParts.flags = test_support::kReflectionBit | model::DiffuseTexture | test_support::kAlphaBit |
                       test_support::kAnimationBit;
    emptyParts.reflectionDensity = 0.7F;
    emptyParts.diffuseName = "WATER.BMP";
    emptyParts.animation = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    RecordBytes separator = test_support::recordWithNames("ENV|OLD.BMP", "WOOD.BMP", "");

    const struct {
        RecordBytes record;
        model::TextureKind kind;
        std::string name;
    } renames[] = {
        {emptyParts, model::ReflectionKind, "SKY.BMP"},
        {emptyParts, model::AlphaKind, "MASK.BMP"},
        {separator, model::DiffuseKind, "STONE.BMP"},
        {separator, model::AlphaKind, "GLASS.BMP"},
    };
    for (const auto& rename : renames) {
        Ref<Material> material = materialOf(rename.record);
        MaterialEdit edit;
        edit.names[rename.kind] = rename.name;
        ASSERT_TRUE(model::applyEdit(*material, edit)) << rename.name;
        RecordBytes expected = rename.record;
        (rename.kind == model::ReflectionKind ? expected.reflectionName
         : rename.kind == model::DiffuseKind  ? expected.diffuseName
                                              : expected.alphaName) = rename.name;
        expected.flags |= rename.kind == model::ReflectionKind ? test_support::kReflectionBit
                          : rename.kind == model::AlphaKind    ? test_support::kAlphaBit
                                                               : 0;
        EXPECT_EQ(written(*material), test_support::encodeRecord(expected)) << rename.name;
    }

    // A new diffuse name checks the block: one frame is no animation.
    Ref<Material> material = materialOf(emptyParts);
    MaterialEdit edit;
    edit.names[model::DiffuseKind] = "WATER00.BMP";
    ASSERT_TRUE(model::applyEdit(*material, edit));
    RecordBytes expected = emptyParts;
    expected.diffuseName = "WATER00.BMP";
    expected.flags &= ~test_support::kAnimationBit;
    EXPECT_EQ(written(*material), test_support::encodeRecord(expected));
}

TEST_F(MaterialEditTest, RenamingTheReflectionOrAlphaOfRandomRecordsLeavesTheRestAsStored) {
    std::mt19937 random(13);
    for (int round = 0; round < 300; ++round) {
        const RecordBytes record = test_support::randomRecord(random);
        for (const model::TextureKind kind : {model::ReflectionKind, model::AlphaKind}) {
            Ref<Material> material = materialOf(record);
            MaterialEdit edit;
            edit.names[kind] = "NEW.BMP";
            RecordBytes expected = record;
            // Only a record that can store an alpha name takes one.
            if (kind == model::AlphaKind && !model::Material::canHoldAlphaName(record.flags, record.diffuseName)) {
                ASSERT_FALSE(model::applyEdit(*material, edit));
                ASSERT_EQ(written(*material), test_support::encodeRecord(expected)) << "round " << round;
                continue;
            }
            ASSERT_TRUE(model::applyEdit(*material, edit));
            if (kind == model::ReflectionKind) {
                // A density the record did not hold reads as 0.
                if ((record.flags & test_support::kReflectionBit) == 0) expected.reflectionDensity = 0;
                expected.reflectionName = "NEW.BMP";
                expected.flags |= test_support::kReflectionBit;
            } else {
                expected.alphaName = "NEW.BMP";
                expected.flags |= test_support::kAlphaBit;
            }
            ASSERT_EQ(written(*material), test_support::encodeRecord(expected)) << "round " << round;
        }
    }
}

TEST_F(MaterialEditTest, EmptyEditChangesNothing) {
    std::mt19937 random(5);
    const RecordBytes record = test_support::randomRecord(random);
    const Ref<Material> material = materialOf(record);
    const MaterialEdit edit;
    EXPECT_TRUE(edit.empty());
    EXPECT_TRUE(model::applyEdit(*material, edit));
    EXPECT_EQ(written(*material), test_support::encodeRecord(record));
}

TEST_F(MaterialEditTest, SearchFindsTheTextAnywhereInTheJoinedNames) {
    RecordBytes record;
    record.flags = test_support::kReflectionBit | model::DiffuseTexture;
    record.reflectionName = "ENV.BMP";
    record.diffuseName = "WOOD01.BMP";
    const Ref<Material> material = materialOf(record);
    EXPECT_TRUE(model::searchFinds(*material, "BMP"));
    EXPECT_TRUE(model::searchFinds(*material, "P|W"));      // across the separator
    EXPECT_TRUE(model::searchFinds(*material, "01.BMP|"));  // the alpha name is empty
    EXPECT_FALSE(model::searchFinds(*material, "bmp"));     // exact case
    EXPECT_FALSE(model::searchFinds(*material, ""));
    EXPECT_FALSE(model::searchFinds(*material, "||"));
}

}  // namespace
