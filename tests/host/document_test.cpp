#include "model/document.h"

#include <gtest/gtest.h>

#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using test_support::recordWithNames;

// Open, change, fail to save elsewhere, save elsewhere, refuse a file, close:
// the path Save writes to, what is unsaved and which model is open follow
// the user's steps.
TEST(DocumentTest, PathUnsavedStateAndGenerationFollowOpenSaveAsAndClose) {
    test_support::TempFolder folder;
    test_support::ModelBytes bytes;
    bytes.records = {recordWithNames("", "ROCK.BMP", ""), recordWithNames("", "WOOD.BMP", "")};
    bytes.remainder = "MESH";
    const std::string original = test_support::encodeModel(bytes);
    test_support::writeFileBytes(folder.file("a.4ds"), original);
    test_support::writeFileBytes(folder.file("refused.4ds"), "4DX");

    model::Document document;
    EXPECT_FALSE(document.save()) << "no path before a model is open";
    ASSERT_TRUE(document.open(folder.file("a.4ds")));
    const std::uint64_t opened = document.generation();
    EXPECT_FALSE(document.unsaved());

    model::MaterialEdit density;
    density.density = 0.5F;
    ASSERT_TRUE(document.change(2, density));
    EXPECT_TRUE(document.unsaved());
    model::MaterialEdit refused;
    refused.density = 2.0F;
    EXPECT_FALSE(document.change(2, refused));
    EXPECT_FALSE(document.change(3, density)) << "no material 3";

    EXPECT_FALSE(document.saveAs(folder.file("no folder/b.4ds")));
    EXPECT_EQ(document.path(), folder.file("a.4ds")) << "Save keeps writing where it did";
    EXPECT_TRUE(document.unsaved());
    ASSERT_TRUE(document.saveAs(folder.file("b.4ds")));
    EXPECT_EQ(document.path(), folder.file("b.4ds"));
    EXPECT_FALSE(document.unsaved());
    EXPECT_EQ(test_support::readFileBytes(folder.file("a.4ds")), original);
    bytes.records[1].density = 0.5F;
    EXPECT_EQ(test_support::readFileBytes(folder.file("b.4ds")),
              test_support::withSavedHeader(test_support::encodeModel(bytes)));
    EXPECT_EQ(document.undo(), 2);
    EXPECT_TRUE(document.unsaved());
    EXPECT_EQ(document.undo(), 0) << "nothing left to undo";

    EXPECT_FALSE(document.open(folder.file("refused.4ds")));
    EXPECT_EQ(document.path(), folder.file("b.4ds"));
    EXPECT_EQ(document.generation(), opened);
    EXPECT_EQ(document.materials().count(), 2);

    document.close();
    EXPECT_EQ(document.materials().count(), 0);
    EXPECT_EQ(document.path(), "");
    EXPECT_FALSE(document.canRedo());
    EXPECT_GT(document.generation(), opened);
}

}  // namespace
