#include "model/model_file.h"

#include <gtest/gtest.h>

#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using test_support::encodeModel;
using test_support::ModelBytes;
using test_support::readFileBytes;
using test_support::RecordBytes;
using test_support::TempFolder;
using test_support::withSavedHeader;
using test_support::writeFileBytes;

TEST(ModelFileRoundTrip, UnchangedModelSavesEqualExceptHeaderBytes) {
    TempFolder folder;
    ModelBytes bytes;
    std::mt19937 random(1);
    for (int i = 0; i < 50; ++i) bytes.records.push_back(test_support::randomRecord(random));
    bytes.remainder = test_support::meshLikeBytes(random, 5000);
    const std::string original = encodeModel(bytes);
    writeFileBytes(folder.file("in.4ds"), original);

    model::ModelFile model;
    ASSERT_TRUE(model.load(folder.file("in.4ds")));
    EXPECT_EQ(model.materials().count(), 50);
    ASSERT_TRUE(model.save(folder.file("out.4ds")));
    EXPECT_EQ(readFileBytes(folder.file("out.4ds")), withSavedHeader(original));
}

}  // namespace
