#include "model/material_list.h"

#include <gtest/gtest.h>

#include "core/file_stream.h"
#include "core/object.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using core::Ref;
using model::MaterialList;
using test_support::RecordBytes;

std::string section(const std::vector<RecordBytes>& records) {
    std::string bytes;
    bytes += static_cast<char>(records.size() & 0xFF);
    bytes += static_cast<char>(records.size() >> 8);
    for (const RecordBytes& record : records) bytes += test_support::encodeRecord(record);
    return bytes;
}

RecordBytes namedRecord(const std::string& diffuse) {
    RecordBytes record;
    record.diffuseName = diffuse;
    return record;
}

class MaterialListTest : public ::testing::Test {
protected:
    bool readSection(MaterialList& list, const std::string& bytes) {
        test_support::writeFileBytes(folder_.file("section"), bytes);
        Ref<core::FileStream> stream = core::openFileForReading(folder_.file("section"));
        return list.read(*stream);
    }

    std::string writtenSection(const MaterialList& list) {
        {
            Ref<core::FileStream> stream = core::createFileForWriting(folder_.file("written"));
            EXPECT_TRUE(list.write(*stream));
        }
        return test_support::readFileBytes(folder_.file("written"));
    }

    test_support::TempFolder folder_;
    Ref<MaterialList> list_ = core::create<MaterialList>();
};

TEST_F(MaterialListTest, NewListIsEmptyWithGrowthStepTwo) {
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(list_->growthStep(), 2);
}

TEST_F(MaterialListTest, EmptySectionIsTwoZeroBytesBothWays) {
    ASSERT_TRUE(readSection(*list_, std::string(2, '\0')));
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(writtenSection(*list_), std::string(2, '\0'));
}

TEST_F(MaterialListTest, MaterialsAreNumberedFromOneInFileOrder) {
    ASSERT_TRUE(readSection(*list_, section({namedRecord("A.BMP"), namedRecord("B.BMP"), namedRecord("C.BMP")})));
    ASSERT_EQ(list_->count(), 3);
    EXPECT_EQ(list_->materialAt(1)->diffuseName(), "A.BMP");
    EXPECT_EQ(list_->materialAt(3)->diffuseName(), "C.BMP");
    EXPECT_EQ(list_->materialAt(0), nullptr);
    EXPECT_EQ(list_->materialAt(4), nullptr);
    EXPECT_EQ(list_->materialAt(-1), nullptr);
}

TEST_F(MaterialListTest, NumberOfAMaterialIsItsPositionFromOne) {
    ASSERT_TRUE(readSection(*list_, section({namedRecord("A.BMP"), namedRecord("B.BMP")})));
    EXPECT_EQ(list_->numberOf(list_->materialAt(2)), 2);
    EXPECT_EQ(list_->numberOf(list_->materialAt(1)), 1);
    Ref<model::Material> stranger = core::create<model::Material>();
    EXPECT_EQ(list_->numberOf(stranger.get()), 0);
    EXPECT_EQ(list_->numberOf(nullptr), 0);
}

TEST_F(MaterialListTest, StorageForTheWholeSectionIsTakenAtOnce) {
    std::vector<RecordBytes> records(10, RecordBytes{});
    ASSERT_TRUE(readSection(*list_, section(records)));
    EXPECT_EQ(list_->capacity(), 10);
    EXPECT_EQ(list_->growthStep(), 4);
}

TEST_F(MaterialListTest, SectionEndingEarlyIsReported) {
    const std::string bytes = section({namedRecord("A.BMP"), namedRecord("B.BMP")});
    EXPECT_FALSE(readSection(*list_, bytes.substr(0, bytes.size() - 1)));
    Ref<MaterialList> other = core::create<MaterialList>();
    EXPECT_FALSE(readSection(*other, bytes.substr(0, 1)));
}

TEST_F(MaterialListTest, ClearReleasesEveryMaterial) {
    ASSERT_TRUE(readSection(*list_, section({namedRecord("A.BMP"), namedRecord("B.BMP")})));
    int destroyed = 0;
    for (int n = 1; n <= 2; ++n)
        list_->materialAt(n)->setOnDestroy([&destroyed](core::ToolkitObject&) { ++destroyed; });
    list_->clear();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(list_->count(), 0);
    EXPECT_EQ(list_->materialAt(1), nullptr);
}

TEST_F(MaterialListTest, ProgressIsReportedAfterEachMaterial) {
    int updates = 0;
    const model::MaterialProgress progress = [&updates] { ++updates; };
    const std::string bytes = section({RecordBytes{}, RecordBytes{}, RecordBytes{}});
    test_support::writeFileBytes(folder_.file("section"), bytes);
    Ref<core::FileStream> in = core::openFileForReading(folder_.file("section"));
    ASSERT_TRUE(list_->read(*in, model::RecordLayout::Narrow, progress));
    EXPECT_EQ(updates, 3);
    Ref<core::FileStream> out = core::createFileForWriting(folder_.file("written"));
    ASSERT_TRUE(list_->write(*out, progress));
    EXPECT_EQ(updates, 6);
}

TEST_F(MaterialListTest, LargestSectionReadsAllItsMaterials) {
    RecordBytes record;
    record.diffuseName = "X.BMP";
    const std::string one = test_support::encodeRecord(record);
    std::string bytes = "\xFF\xFF";
    for (int i = 0; i < 65535; ++i) bytes += one;
    ASSERT_TRUE(readSection(*list_, bytes));
    EXPECT_EQ(list_->count(), 65535);
    EXPECT_EQ(list_->materialAt(65535)->diffuseName(), "X.BMP");
    EXPECT_EQ(writtenSection(*list_), bytes);
}

}  // namespace
