// Where each material is used, counted from frame lists built byte by
// byte: levels apart, face groups of one level added up, instances credited
// with the geometry they reuse, glows without faces, unused materials only
// when every frame was read; and the document reads it without changing
// what it saves.
#include "model/material_usage.h"

#include <gtest/gtest.h>

#include <vector>

#include "frame_bytes.h"
#include "model/document.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace model {

void PrintTo(const MaterialUse& use, std::ostream* out) {
    *out << "{frame " << use.frame << ", level " << int{use.level} << ", " << use.faces << " faces, geometry of "
         << use.geometryOf << (use.glow ? ", glow}" : "}");
}

}  // namespace model

namespace {

using model::MaterialUse;
using namespace test_support;

// Six materials: 1..4 used, 5 unused, 6 named only by a glow.
ModelBytes carModel(const std::string& frames) {
    ModelBytes model;
    for (const char* name : {"M1.BMP", "M2.BMP", "M3.BMP", "M4.BMP", "M5.BMP", "M6.BMP"})
        model.records.push_back(recordWithNames("", name, ""));
    model.remainder = frames;
    return model;
}

std::string carFrames() {
    return frameList({
        meshFrame({"body"}, {{8, {{10, 1}, {4, 2}, {6, 1}, {3, 0}}}, {4, {{5, 1}, {1, 9}}}}),
        dummyFrame({"wheels"}),
        meshFrame({"Wheel_FL", 2}, {{6, {{7, 3}}}}),
        instanceFrame({"wheel_fr", 2}, 3),
        instanceFrame({"wheel_rr", 2}, 4),
        instanceFrame({"broken", 2}, 7),  // not an earlier frame: no geometry
        glowFrame({"лампа"}, {6, 6, 2}),
        meshFrame({"sign"}, {{4, {{2, 4}}}}, MeshKind::Billboard),
    });
}

model::MaterialUsage usageOf(const ModelBytes& bytes) {
    TempFolder folder;
    writeFileBytes(folder.file("m.4ds"), encodeModel(bytes));
    model::ModelFile model;
    EXPECT_TRUE(model.load(folder.file("m.4ds")));
    return model::MaterialUsage::of(model);
}

TEST(MaterialUsageTest, UsesAreCountedByFrameAndLevel) {
    const model::MaterialUsage usage = usageOf(carModel(carFrames()));
    ASSERT_TRUE(usage.known());
    using Uses = std::vector<MaterialUse>;
    const auto usesOf = [&usage](int number) {
        const auto uses = usage.usesOf(number);
        return Uses(uses.begin(), uses.end());
    };
    EXPECT_EQ(usesOf(1), (Uses{{1, 0, 16, 0, false}, {1, 1, 5, 0, false}}));
    EXPECT_EQ(usesOf(2), (Uses{{1, 0, 4, 0, false}, {7, 0, 0, 0, true}}));
    EXPECT_EQ(usesOf(3), (Uses{{3, 0, 7, 0, false}, {4, 0, 7, 3, false}, {5, 0, 7, 3, false}}));
    EXPECT_EQ(usesOf(4), (Uses{{8, 0, 2, 0, false}}));
    EXPECT_EQ(usesOf(6), (Uses{{7, 0, 0, 0, true}}));
    EXPECT_TRUE(usesOf(7).empty()) << "no such material";
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(usage.unused(n), n == 5) << n;

    const model::UsageTotals wheels = model::totalsOf(usage.usesOf(3));
    EXPECT_EQ(wheels.frames, 3U);
    EXPECT_EQ(wheels.faces, 21U);
    EXPECT_EQ(wheels.glows, 0U);
    const model::UsageTotals body = model::totalsOf(usage.usesOf(1));
    EXPECT_EQ(body.frames, 1U);
    EXPECT_EQ(body.faces, 16U) << "the most detailed level only";
    EXPECT_EQ(model::totalsOf(usage.usesOf(2)).glows, 1U);

    EXPECT_TRUE(usage.usedByFrameNamed(3, "WHEEL_"));
    EXPECT_TRUE(usage.usedByFrameNamed(3, "r"));
    EXPECT_FALSE(usage.usedByFrameNamed(1, "wheel"));
    EXPECT_TRUE(usage.usedByFrameNamed(6, "ЛАМП"));
    EXPECT_FALSE(usage.usedByFrameNamed(6, ""));
    EXPECT_EQ(usage.frame(4).name, "wheel_fr");
}

TEST(MaterialUsageTest, UnreadFramesLeaveTheUsageUnknownAndNothingUnused) {
    std::string cut = carFrames();
    cut.resize(cut.size() - 2);
    for (const std::string& frames : {cut, std::string()}) {
        const model::MaterialUsage usage = usageOf(carModel(frames));
        EXPECT_FALSE(usage.known());
        for (int n = 1; n <= 6; ++n) {
            EXPECT_FALSE(usage.unused(n)) << n;
            EXPECT_TRUE(usage.usesOf(n).empty()) << n;
            EXPECT_FALSE(usage.usedByFrameNamed(n, "body")) << n;
        }
    }
    ModelBytes later = carModel(carFrames());
    later.version = 41;
    EXPECT_FALSE(usageOf(later).known());
}

// Opening reads the usage, an edit keeps it, and the saved file is the
// opened one but for the edit and the header bytes.
TEST(MaterialUsageTest, TheDocumentReadsTheUsageWithoutChangingWhatItSaves) {
    TempFolder folder;
    ModelBytes bytes = carModel(carFrames());
    writeFileBytes(folder.file("car.4ds"), encodeModel(bytes));
    model::Document document;
    ASSERT_TRUE(document.open(folder.file("car.4ds")));
    ASSERT_TRUE(document.usage().known());
    model::MaterialEdit edit;
    edit.density = 0.5F;
    ASSERT_TRUE(document.change(5, edit));
    EXPECT_TRUE(document.usage().unused(5));
    ASSERT_TRUE(document.save());
    bytes.records[4].density = 0.5F;
    EXPECT_EQ(savedFileDifference(bytes, readFileBytes(folder.file("car.4ds"))), "");
    document.close();
    EXPECT_FALSE(document.usage().known());
}

}  // namespace
