#include "model/model_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using model::ModelFile;
using test_support::encodeModel;
using test_support::ModelBytes;
using test_support::readFileBytes;
using test_support::RecordBytes;
using test_support::withSavedHeader;
using test_support::writeFileBytes;

RecordBytes diffuseRecord(const std::string& name) {
    RecordBytes record;
    record.diffuseName = name;
    return record;
}

std::size_t filesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class ModelFileTest : public ::testing::Test {
protected:
    std::string put(const std::string& name, const std::string& bytes) {
        writeFileBytes(folder_.file(name), bytes);
        return folder_.file(name);
    }

    std::string sampleBytes() {
        ModelBytes bytes;
        bytes.version = 0x1234;
        bytes.records = {diffuseRecord("A.BMP"), diffuseRecord("B.BMP")};
        bytes.remainder = "mesh data";
        return encodeModel(bytes);
    }

    test_support::TempFolder folder_;
    ModelFile model_;
};

TEST_F(ModelFileTest, NewModelIsEmptyAndSavesAsSixteenBytes) {
    EXPECT_EQ(model_.version(), 0);
    EXPECT_EQ(model_.materials().count(), 0);
    EXPECT_TRUE(model_.remainder().empty());
    ASSERT_TRUE(model_.save(folder_.file("empty.4ds")));
    const std::string expected = std::string("4DS\0\0\0", 6) + std::string(8, '\xFF') + std::string(2, '\0');
    EXPECT_EQ(readFileBytes(folder_.file("empty.4ds")), expected);
}

TEST_F(ModelFileTest, LoadKeepsVersionMaterialsAndRemainder) {
    ASSERT_TRUE(model_.load(put("m.4ds", sampleBytes())));
    EXPECT_EQ(model_.version(), 0x1234);
    ASSERT_EQ(model_.materials().count(), 2);
    EXPECT_EQ(model_.materials().materialAt(2)->diffuseName(), "B.BMP");
    const auto remainder = model_.remainder();
    EXPECT_EQ(std::string(remainder.begin(), remainder.end()), "mesh data");
}

TEST_F(ModelFileTest, SectionWithoutMaterialsLeavesTheRestAsRemainder) {
    ModelBytes bytes;
    bytes.remainder = std::string(100, '\x7F');
    ASSERT_TRUE(model_.load(put("m.4ds", encodeModel(bytes))));
    EXPECT_EQ(model_.materials().count(), 0);
    EXPECT_EQ(model_.remainder().size(), 100U);
}

TEST_F(ModelFileTest, SixteenByteFileSavesWithOnlyTheHeaderFillChanged) {
    const std::string original = encodeModel(ModelBytes{});
    ASSERT_EQ(original.size(), 16U);
    ASSERT_TRUE(model_.load(put("m.4ds", original)));
    EXPECT_TRUE(model_.remainder().empty());
    ASSERT_TRUE(model_.save(folder_.file("out.4ds")));
    EXPECT_EQ(readFileBytes(folder_.file("out.4ds")), withSavedHeader(original));
}

TEST_F(ModelFileTest, GeneratedModelsRoundTripExceptTheHeaderFill) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 20; ++round) {
        ModelBytes bytes;
        bytes.version = static_cast<std::uint16_t>(random());
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) bytes.records.push_back(test_support::randomRecord(random));
        bytes.remainder = test_support::meshLikeBytes(random, random() % 3000);
        const std::string original = encodeModel(bytes);
        ASSERT_TRUE(model_.load(put("in.4ds", original))) << "round " << round;
        ASSERT_TRUE(model_.save(folder_.file("out.4ds")));
        ASSERT_EQ(readFileBytes(folder_.file("out.4ds")), withSavedHeader(original)) << "round " << round;
    }
}

TEST_F(ModelFileTest, SavingOverTheOpenedFileKeepsItsRemainder) {
    const std::string path = put("m.4ds", sampleBytes());
    ASSERT_TRUE(model_.load(path));
    ASSERT_TRUE(model_.save(path));
    EXPECT_EQ(readFileBytes(path), withSavedHeader(sampleBytes()));
    EXPECT_EQ(filesIn(folder_.path()), 1U);
}

TEST_F(ModelFileTest, EveryUnreadableFileIsRefused) {
    const std::string valid = sampleBytes();
    std::string spaceAfterMagic = valid;
    spaceAfterMagic[3] = ' ';
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"three bytes", "4DS"},
        {"magic followed by a space", spaceAfterMagic},
        {"magic only", valid.substr(0, 4)},
        {"ends in the skipped bytes", valid.substr(0, 10)},
        {"ends before the count", valid.substr(0, 15)},
        {"ends inside a record", valid.substr(0, 40)},
        {"ends before the last record", valid.substr(0, valid.size() - 9 - 1 - 5)},
    };
    for (const auto& [what, bytes] : cases) {
        ModelFile fresh;
        EXPECT_FALSE(fresh.load(put("bad.4ds", bytes))) << what;
    }
    EXPECT_FALSE(model_.load(folder_.file("missing.4ds")));
    EXPECT_FALSE(model_.load(folder_.path().string()));  // a folder
}

TEST_F(ModelFileTest, MaterialsOnlyLoadSkipsTheRemainderAndCannotBeSaved) {
    const std::string path = put("m.4ds", sampleBytes());
    ASSERT_TRUE(model_.load(path, ModelFile::MaterialsOnly));
    EXPECT_EQ(model_.version(), 0x1234);
    ASSERT_EQ(model_.materials().count(), 2);
    EXPECT_EQ(model_.materials().materialAt(2)->diffuseName(), "B.BMP");
    EXPECT_TRUE(model_.remainder().empty());
    EXPECT_FALSE(model_.save(path));
    EXPECT_EQ(readFileBytes(path), sampleBytes());
    EXPECT_EQ(filesIn(folder_.path()), 1U);

    ModelFile cut;
    EXPECT_FALSE(cut.load(put("cut.4ds", sampleBytes().substr(0, 40)), ModelFile::MaterialsOnly));
    ASSERT_TRUE(model_.load(path));  // a whole load makes the model savable again
    EXPECT_TRUE(model_.save(path));
}

TEST_F(ModelFileTest, RefusedFileKeepsThePreviousModel) {
    ASSERT_TRUE(model_.load(put("good.4ds", sampleBytes())));
    model::Material* first = model_.materials().materialAt(1);
    const std::string truncated = sampleBytes().substr(0, 30);
    EXPECT_FALSE(model_.load(put("bad.4ds", truncated)));
    EXPECT_EQ(model_.version(), 0x1234);
    ASSERT_EQ(model_.materials().count(), 2);
    EXPECT_EQ(model_.materials().materialAt(1), first);
    EXPECT_EQ(model_.remainder().size(), 9U);
}

TEST_F(ModelFileTest, SuccessfulLoadReplacesTheModel) {
    ASSERT_TRUE(model_.load(put("a.4ds", sampleBytes())));
    ModelBytes other;
    other.version = 7;
    other.records = {diffuseRecord("C.BMP")};
    ASSERT_TRUE(model_.load(put("b.4ds", encodeModel(other))));
    EXPECT_EQ(model_.version(), 7);
    ASSERT_EQ(model_.materials().count(), 1);
    EXPECT_EQ(model_.materials().materialAt(1)->diffuseName(), "C.BMP");
    EXPECT_TRUE(model_.remainder().empty());
}

TEST_F(ModelFileTest, FailedSaveLeavesTheTargetAndTheFolderAsTheyWere) {
    ASSERT_TRUE(model_.load(put("m.4ds", sampleBytes())));
    const std::filesystem::path target = folder_.path() / "target";
    std::filesystem::create_directory(target);
    EXPECT_FALSE(model_.save(target.string()));
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_TRUE(std::filesystem::is_empty(target));
    EXPECT_EQ(filesIn(folder_.path()), 2U);  // m.4ds and the folder, no temporary file

    EXPECT_FALSE(model_.save((folder_.path() / "no such folder" / "out.4ds").string()));
    EXPECT_EQ(readFileBytes(folder_.file("m.4ds")), sampleBytes());
}

TEST_F(ModelFileTest, EditedMaterialIsWrittenWhileTheRestStaysByteForByte) {
    ModelBytes bytes;
    std::mt19937 random(5);
    for (int i = 0; i < 5; ++i) bytes.records.push_back(test_support::randomRecord(random));
    bytes.remainder = "tail";
    ASSERT_TRUE(model_.load(put("m.4ds", encodeModel(bytes))));
    ASSERT_TRUE(model_.materials().materialAt(3)->setDensity(0.5F));
    ASSERT_TRUE(model_.save(folder_.file("out.4ds")));

    bytes.records[2].density = 0.5F;
    EXPECT_EQ(readFileBytes(folder_.file("out.4ds")), withSavedHeader(encodeModel(bytes)));
}

TEST_F(ModelFileTest, LargestModelLoadsAndSaves) {
    ModelBytes bytes;
    bytes.records.assign(65535, diffuseRecord("STONE.BMP"));
    std::mt19937 random(3);
    bytes.remainder = test_support::meshLikeBytes(random, 1 << 20);
    const std::string original = encodeModel(bytes);
    ASSERT_TRUE(model_.load(put("big.4ds", original)));
    EXPECT_EQ(model_.materials().count(), 65535);
    ASSERT_TRUE(model_.save(folder_.file("out.4ds")));
    EXPECT_EQ(readFileBytes(folder_.file("out.4ds")), withSavedHeader(original));
}

}  // namespace
