#include "model/material.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "core/file_stream.h"
#include "core/object.h"
#include "model/flag_word.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using core::Ref;
using model::Material;
using model::MaterialFlag;
using test_support::encodeRecord;
using test_support::RecordBytes;

// Materials are made only by reading a record, so every test starts there.
class MaterialTest : public ::testing::Test {
protected:
    Ref<Material> readRecord(const std::string& bytes, model::RecordLayout layout = model::RecordLayout::Narrow) {
        test_support::writeFileBytes(folder_.file("record"), bytes);
        Ref<core::FileStream> stream = core::openFileForReading(folder_.file("record"));
        Ref<Material> material = core::create<Material>();
        lastReadComplete_ = material->read(*stream, layout);
        lastReadPosition_ = stream->position();
        return material;
    }

    // A material of a record without names and flags, given the names.
    Ref<Material> materialWithNames(const std::string& reflection, const std::string& diffuse,
                                    const std::string& alpha) {
        Ref<Material> material = readRecord(encodeRecord({}));
        EXPECT_TRUE(material->setTextureName(model::ReflectionKind, reflection));
        EXPECT_TRUE(material->setTextureName(model::DiffuseKind, diffuse));
        EXPECT_TRUE(material->setTextureName(model::AlphaKind, alpha));
        return material;
    }

    std::string written(const Material& material) {
        {
            Ref<core::FileStream> stream = core::createFileForWriting(folder_.file("written"));
            EXPECT_TRUE(material.write(*stream));
        }
        return test_support::readFileBytes(folder_.file("written"));
    }

    test_support::TempFolder folder_;
    bool lastReadComplete_ = false;
    std::int64_t lastReadPosition_ = 0;
};

TEST_F(MaterialTest, NewMaterialIsEmpty) {
    Ref<Material> material = core::create<Material>();
    EXPECT_EQ(material->flags(), 0U);
    EXPECT_EQ(material->getTextureNames(), "||");
    EXPECT_EQ(material->density(), 0.0F);
    EXPECT_FALSE(material->animation().has_value());
    EXPECT_EQ(material->separator(), '|');
}

TEST_F(MaterialTest, ShortestRecordReadsAndWritesAs45Bytes) {
    const std::string bytes = encodeRecord({});
    ASSERT_EQ(bytes.size(), 45U);
    Ref<Material> material = readRecord(bytes);
    EXPECT_TRUE(lastReadComplete_);
    EXPECT_EQ(lastReadPosition_, 45);
    EXPECT_EQ(written(*material), bytes);
}

TEST_F(MaterialTest, ReadsEveryFieldOfAFullRecord) {
    RecordBytes record;
    record.flags = test_support::kReflectionBit | test_support::kAlphaBit | test_support::kAnimationBit | 0x00000100;
    record.ambient = {0.25F, 0.5F, 0.75F};
    record.diffuse = {1.0F, 0.0F, 0.125F};
    record.emission = {0.0625F, 0.5F, 1.0F};
    record.density = 0.3F;
    record.reflectionDensity = 0.7F;
    record.reflectionName = "ENV.BMP";
    record.diffuseName = "SEA00.BMP";
    record.alphaName = "MASK.BMP";
    record.animation = {4, 9, 9, 9, 9, 9, 0x10, 0x27, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};

    Ref<Material> material = readRecord(encodeRecord(record));
    ASSERT_TRUE(lastReadComplete_);
    EXPECT_EQ(material->flags(), record.flags);
    EXPECT_EQ(material->ambient(), record.ambient);
    EXPECT_EQ(material->diffuse(), record.diffuse);
    EXPECT_EQ(material->emission(), record.emission);
    EXPECT_EQ(material->density(), 0.3F);
    EXPECT_EQ(material->reflectionDensity(), 0.7F);
    EXPECT_EQ(material->getTextureNames(), "ENV.BMP|SEA00.BMP|MASK.BMP");
    std::uint8_t frames = 0;
    std::uint32_t delay = 0;
    ASSERT_TRUE(material->getAnimation(frames, delay));
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(delay, 10000U);
    EXPECT_EQ(written(*material), encodeRecord(record));
}

TEST_F(MaterialTest, OptionalPartsAreSkippedWhenTheirBitsAreClear) {
    RecordBytes record;
    record.diffuseName = "WOOD01.BMP";
    record.reflectionName = "NOT.BMP";  // not encoded: its bit is clear
    Ref<Material> material = readRecord(encodeRecord(record) + "next record");
    EXPECT_EQ(lastReadPosition_, 45 + 10);
    EXPECT_EQ(material->getTextureNames(), "|WOOD01.BMP|");
    EXPECT_EQ(material->reflectionDensity(), 0.0F);
}

TEST_F(MaterialTest, ZeroLengthNamesWithTheirBitsSetWriteBackTheSameRecord) {
    RecordBytes record;
    record.flags = test_support::kReflectionBit | test_support::kAlphaBit;
    record.reflectionDensity = 0.5F;
    const std::string bytes = encodeRecord(record);
    Ref<Material> material = readRecord(bytes);
    EXPECT_EQ(material->getTextureNames(), "||");
    EXPECT_EQ(written(*material), bytes);
}

TEST_F(MaterialTest, UnnamedFlagBitsAndOddFloatsSurviveARoundTrip) {
    RecordBytes record;
    record.flags = 0x0D00F0F0;
    record.ambient = {std::numeric_limits<float>::quiet_NaN(), -0.0F, 1e30F};
    record.density = std::numeric_limits<float>::infinity();
    record.diffuseName = "\xC4\xE5\xF0\xE5\xE2\xEE.BMP";  // CP1251 letters
    const std::string bytes = encodeRecord(record);
    EXPECT_EQ(written(*readRecord(bytes)), bytes);
}

TEST_F(MaterialTest, TruncatedRecordIsReportedAtEveryField) {
    RecordBytes record;
    record.flags = test_support::kReflectionBit | test_support::kAlphaBit | test_support::kAnimationBit;
    record.reflectionName = "ENV.BMP";
    record.diffuseName = "SEA00.BMP";
    record.alphaName = "MASK.BMP";
    const std::string bytes = encodeRecord(record);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        readRecord(bytes.substr(0, cut));
        EXPECT_FALSE(lastReadComplete_) << "cut at " << cut;
    }
    readRecord(bytes);
    EXPECT_TRUE(lastReadComplete_);
}

// Versions 41 and 42: a 76-byte fixed part whose colours have a fourth
// component, with a specular colour and a glossiness; every field is read
// from its own place and written back there.
TEST_F(MaterialTest, WideRecordReadsEveryFieldAndWritesItBack) {
    EXPECT_EQ(model::recordLayoutOf(41), model::RecordLayout::Wide);
    EXPECT_EQ(model::recordLayoutOf(42), model::RecordLayout::Wide);
    EXPECT_EQ(model::recordLayoutOf(29), model::RecordLayout::Narrow);
    EXPECT_EQ(model::recordLayoutOf(43), model::RecordLayout::Narrow);

    RecordBytes record = test_support::distinctWideRecord();
    record.emissionFourth = std::numeric_limits<float>::quiet_NaN();
    const std::string bytes = test_support::encodeRecord(record, 41);
    ASSERT_EQ(bytes.size(), 76U + 4 + 8 + 10 + 11);

    Ref<Material> material = readRecord(bytes, model::RecordLayout::Wide);
    ASSERT_TRUE(lastReadComplete_);
    EXPECT_EQ(material->ambient(), record.ambient);
    EXPECT_EQ(material->diffuse(), record.diffuse);
    EXPECT_EQ(material->emission(), record.emission);
    EXPECT_EQ(material->density(), 0.17F);
    EXPECT_EQ(material->getTextureNames(), "ENV.BMP|GLASS.BMP|GLASS+.BMP");
    ASSERT_TRUE(material->wideFields().has_value());
    EXPECT_EQ(material->wideFields()->ambientFourth, 0.04F);
    EXPECT_EQ(material->wideFields()->diffuseFourth, 0.08F);
    EXPECT_EQ(material->wideFields()->specular, record.specular);
    EXPECT_TRUE(std::isnan(material->wideFields()->emissionFourth));
    EXPECT_EQ(material->wideFields()->glossiness, 42.5F);
    EXPECT_EQ(written(*material), bytes);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        readRecord(bytes.substr(0, cut), model::RecordLayout::Wide);
        EXPECT_FALSE(lastReadComplete_) << "cut at " << cut;
    }
}

// --- Texture names ---------------------------------------------------------

TEST_F(MaterialTest, JoinedNamesOfADiffuseOnlyMaterial) {
    RecordBytes record;
    record.diffuseName = "WOOD01.BMP";
    EXPECT_EQ(readRecord(encodeRecord(record))->getTextureNames(), "|WOOD01.BMP|");
}

TEST_F(MaterialTest, NameLongerThan255CharactersIsRefusedWhole) {
    Ref<Material> material = materialWithNames("A", "B", "C");
    EXPECT_FALSE(material->setTextureName(model::DiffuseKind, std::string(256, 'D')));
    EXPECT_EQ(material->getTextureNames(), "A|B|C");
}

// A state given back whole may hold any name; one that its length byte
// cannot count is not written as a record of another shape.
TEST_F(MaterialTest, StateWithANameLongerThan255CharactersIsNotWritten) {
    Ref<Material> material = materialWithNames("", "B", "");
    model::MaterialState state = material->state();
    state.diffuseName = std::string(256, 'D');
    material->setState(state);
    Ref<core::FileStream> stream = core::createFileForWriting(folder_.file("written"));
    EXPECT_FALSE(material->write(*stream));
}

TEST_F(MaterialTest, NamesOfDifferentLengthsSplitBackExactly) {
    const std::string a(200, 'a'), b(100, 'b'), c(50, 'c');
    Ref<Material> material = materialWithNames(a, b, c);
    EXPECT_EQ(material->reflectionName(), a);
    EXPECT_EQ(material->diffuseName(), b);
    EXPECT_EQ(material->alphaName(), c);
    EXPECT_EQ(material->getTextureNames(), a + "|" + b + "|" + c);
}

TEST_F(MaterialTest, NamesAreStoredAsBytesWithoutChange) {
    Ref<Material> material = materialWithNames(" lower.bmp ", "\xCA\xC0\xCC\xC5\xCD\xDC.BMP", "");
    EXPECT_EQ(material->reflectionName(), " lower.bmp ");
    EXPECT_EQ(material->diffuseName(), "\xCA\xC0\xCC\xC5\xCD\xDC.BMP");
}

// --- Animation -------------------------------------------------------------

TEST_F(MaterialTest, QualifyingNameAndTwoFramesCreateTheBlock) {
    Ref<Material> material = materialWithNames("", "WOOD00.BMP", "");
    material->setAnimation(2, 10);
    ASSERT_TRUE(material->animation().has_value());
    const Material::AnimationBlock expected = {2, 0, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(*material->animation(), expected);
    EXPECT_TRUE(material->flags() & MaterialFlag::AnimatedDiffuse);
}

TEST_F(MaterialTest, AnimationIsDroppedForANonQualifyingNameOrOneFrame) {
    for (const auto& [name, frames] : {std::pair{"WOOD01.BMP", 2}, std::pair{"WOOD00.BMP", 1}, std::pair{"0.BMP", 2}}) {
        Ref<Material> material = materialWithNames("", "WOOD00.BMP", "");
        material->setAnimation(2, 10);
        ASSERT_TRUE(material->setTextureName(model::DiffuseKind, name));
        material->setAnimation(static_cast<std::uint8_t>(frames), 10);
        EXPECT_FALSE(material->animation().has_value()) << name << " " << frames;
        EXPECT_FALSE(material->flags() & MaterialFlag::AnimatedDiffuse) << name << " " << frames;
    }
}

TEST_F(MaterialTest, SixCharacterNameQualifies) {
    Ref<Material> material = materialWithNames("", "00.BMP", "");
    material->setAnimation(3, 1);
    EXPECT_TRUE(material->animation().has_value());
}

TEST_F(MaterialTest, UpdatingAnimationKeepsTheCarriedBytes) {
    RecordBytes record;
    record.flags = test_support::kAnimationBit;
    record.diffuseName = "SEA00.BMP";
    record.animation = {5, 1, 2, 3, 4, 5, 6, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18};
    Ref<Material> material = readRecord(encodeRecord(record));
    material->setAnimation(7, 0x01020304);
    const Material::AnimationBlock expected = {7, 1, 2, 3, 4, 5, 4, 3, 2, 1, 11, 12, 13, 14, 15, 16, 17, 18};
    EXPECT_EQ(*material->animation(), expected);
}

TEST_F(MaterialTest, WithoutADiffuseNameAnimationChangesNothing) {
    Ref<Material> material = materialWithNames("", "", "");
    material->setAnimation(5, 5);
    EXPECT_FALSE(material->animation().has_value());
    EXPECT_FALSE(material->flags() & MaterialFlag::AnimatedDiffuse);
}

TEST_F(MaterialTest, RenamingTheDiffuseTextureAwayFromTheSequenceDropsTheBlock) {
    Ref<Material> material = materialWithNames("", "SEA00.BMP", "");
    material->setAnimation(4, 100);
    ASSERT_TRUE(material->setTextureName(model::DiffuseKind, "SEA.BMP"));
    EXPECT_FALSE(material->animation().has_value());
    EXPECT_FALSE(material->flags() & MaterialFlag::AnimatedDiffuse);
}

TEST_F(MaterialTest, RenamingWithinTheSequenceKeepsTheBlock) {
    Ref<Material> material = materialWithNames("", "SEA00.BMP", "");
    material->setAnimation(4, 100);
    ASSERT_TRUE(material->setTextureName(model::DiffuseKind, "LAVA00.BMP"));
    std::uint8_t frames = 0;
    std::uint32_t delay = 0;
    ASSERT_TRUE(material->getAnimation(frames, delay));
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(delay, 100U);
}

TEST_F(MaterialTest, EmptyingTheDiffuseNameDropsTheAnimation) {
    Ref<Material> material = materialWithNames("", "SEA00.BMP", "");
    material->setAnimation(4, 100);
    ASSERT_TRUE(material->setTextureName(model::DiffuseKind, ""));
    EXPECT_FALSE(material->animation().has_value());
    EXPECT_FALSE(material->flags() & MaterialFlag::AnimatedDiffuse);
    // The record written now reads back as the same material.
    const std::string bytes = written(*material);
    EXPECT_EQ(written(*readRecord(bytes)), bytes);
    EXPECT_EQ(lastReadPosition_, static_cast<std::int64_t>(bytes.size()));
}

TEST_F(MaterialTest, GetAnimationLeavesOutputsAloneWithoutTheBit) {
    Ref<Material> material = materialWithNames("", "SEA.BMP", "");
    std::uint8_t frames = 77;
    std::uint32_t delay = 88;
    EXPECT_FALSE(material->getAnimation(frames, delay));
    EXPECT_EQ(frames, 77);
    EXPECT_EQ(delay, 88U);
}

// --- Flags, colours and densities -----------------------------------------

TEST_F(MaterialTest, EveryFlagBitButTheLayoutsCanChange) {
    Ref<Material> material = materialWithNames("", "", "");
    ASSERT_EQ(material->flags(), 0U);
    EXPECT_TRUE(material->changeFlags(MaterialFlag::DoubleSided | 0x00000301 | 0x08000000, 0));
    EXPECT_TRUE(material->changeFlags(0x00010000, 0x00000200));
    EXPECT_EQ(material->flags(), MaterialFlag::DoubleSided | 0x08010101);
    for (const std::uint32_t layout : {MaterialFlag::DiffuseTexture, MaterialFlag::ReflectionTexture,
                                       MaterialFlag::AnimatedDiffuse, MaterialFlag::AlphaTexture}) {
        EXPECT_FALSE(material->changeFlags(MaterialFlag::ExtraSettings | layout, 0));
        EXPECT_FALSE(material->changeFlags(0, layout));
    }
    EXPECT_EQ(material->flags(), MaterialFlag::DoubleSided | 0x08010101);
}

TEST_F(MaterialTest, ColourIsStoredWholeOrNotAtAll) {
    Ref<Material> material = materialWithNames("", "", "");
    EXPECT_TRUE(material->setDiffuse(1.0F, 0.5F, 0.0F));
    EXPECT_EQ(material->diffuse(), (model::Color{1.0F, 0.5F, 0.0F}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const model::Color& refused :
         {model::Color{1.01F, 0, 0}, model::Color{0, -0.001F, 0}, model::Color{0, 0, nan}}) {
        EXPECT_FALSE(material->setDiffuse(refused[0], refused[1], refused[2]));
        EXPECT_EQ(material->diffuse(), (model::Color{1.0F, 0.5F, 0.0F}));
    }
    EXPECT_TRUE(material->setAmbient(0, 0, 1));
    EXPECT_TRUE(material->setEmission(0.2F, 0.2F, 0.2F));
    EXPECT_EQ(material->ambient(), (model::Color{0, 0, 1}));
    EXPECT_EQ(material->emission(), (model::Color{0.2F, 0.2F, 0.2F}));
}

TEST_F(MaterialTest, DensitiesAcceptOnlyTheUnitRange) {
    Ref<Material> material = materialWithNames("", "", "");
    EXPECT_TRUE(material->setDensity(1.0F));
    EXPECT_TRUE(material->setReflectionDensity(0.0F));
    EXPECT_FALSE(material->setDensity(1.5F));
    EXPECT_FALSE(material->setReflectionDensity(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(material->density(), 1.0F);
    EXPECT_EQ(material->reflectionDensity(), 0.0F);
}

// Every bit is one switch with a name of its own or part of one of the
// three numbers, and a number is cut to its bits.
TEST(FlagWord, SwitchesAndNumbersShareTheWordWithoutOverlap) {
    std::uint32_t switches = 0;
    for (const model::FlagSwitch& flag : model::flagSwitches()) {
        EXPECT_EQ(std::popcount(flag.bit), 1) << flag.name;
        EXPECT_EQ(switches & flag.bit, 0U) << flag.name;
        EXPECT_EQ(model::flagSwitchByName(flag.name), flag.bit);
        switches |= flag.bit;
    }
    EXPECT_EQ(switches | model::kFieldBits, 0xFFFFFFFFU);
    EXPECT_EQ(switches & model::kFieldBits, 0U);
    EXPECT_EQ(model::flagSwitchByName("DoubleSided"), MaterialFlag::DoubleSided);
    EXPECT_EQ(model::flagSwitchByName("doublesided"), 0U);

    const std::uint32_t word = 0x4088F5FF;  // tiling 255, blend 5, mapping 7
    EXPECT_EQ(model::kTilingField.of(word), 255U);
    EXPECT_EQ(model::kBlendModeField.of(word), 5U);
    EXPECT_EQ(model::kMappingModeField.of(word), 7U);
    EXPECT_EQ(model::kBlendModeField.in(word, 2), 0x4088F2FFU);
    EXPECT_EQ(model::kMappingModeField.in(word, 9), 0x408895FFU) << "9 is cut to its three bits";
    EXPECT_EQ(model::kTilingField.in(word, 1), 0x4088F501U);
}

}  // namespace
