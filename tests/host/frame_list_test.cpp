// The frame list reader on lists built byte by byte: every kind of frame
// read to the end with what it holds, the file endings real models have,
// and each reason to stop.
#include "model/frame_list.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "frame_bytes.h"

namespace {

using model::FrameKind;
using model::FrameList;
using model::FrameStop;
using model::VisualKind;
using namespace test_support;

FrameList readList(const std::string& bytes, std::uint16_t version = 29) {
    return model::readFrameList({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, version);
}

TEST(FrameListTest, EveryKindOfFrameReadsToTheEndWithWhatItHolds) {
    for (const ListEnding ending :
         {ListEnding::FlagByte, ListEnding::Nothing, ListEnding::TwoZeroBytes, ListEnding::FlagByteAndMore}) {
        const FrameList list = readList(frameList(everyKindOfFrame(), ending), ending == ListEnding::Nothing ? 27 : 29);
        ASSERT_TRUE(list.complete()) << describe(*list.problem);
        ASSERT_EQ(list.frames.size(), 14U);
    }
    const FrameList list = readList(frameList(everyKindOfFrame()));
    const auto& frames = list.frames;
    const std::vector<std::string> names{"body",   "body copy", "flare", "room", "flag", "arm",    "face",
                                         "helper", "look",      "bone",  "wall", "tree", "tree 2", "mirror"};
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(frames[i].name, names[i]);
    EXPECT_EQ(frames[0].kind, FrameKind::Visual);
    EXPECT_EQ(frames[0].visual, VisualKind::Object);
    const auto levels = list.levelsOf(frames[0]);
    ASSERT_EQ(levels.size(), 2U);
    ASSERT_EQ(list.faceGroupsOf(levels[0]).size(), 3U);
    EXPECT_EQ(list.faceGroupsOf(levels[0])[1].faces, 4);
    EXPECT_EQ(list.faceGroupsOf(levels[0])[1].material, 2);
    EXPECT_EQ(list.faceGroupsOf(levels[1])[0].faces, 5);
    EXPECT_EQ(frames[1].instanceOf, 1);
    EXPECT_TRUE(list.levelsOf(frames[1]).empty());
    EXPECT_EQ(frames[1].parent, 1);
    EXPECT_EQ(frames[2].visual, VisualKind::Glow);
    const auto glows = list.glowMaterialsOf(frames[2]);
    EXPECT_EQ(std::vector<std::uint16_t>(glows.begin(), glows.end()), (std::vector<std::uint16_t>{3, 3}));
    EXPECT_EQ(frames[3].kind, FrameKind::Sector);
    EXPECT_EQ(frames[4].visual, VisualKind::Morph);
    EXPECT_EQ(frames[5].visual, VisualKind::SingleMesh);
    EXPECT_EQ(list.levelsOf(frames[5]).size(), 2U);
    EXPECT_EQ(list.faceGroupsOf(list.levelsOf(frames[5])[1])[0].material, 2);
    EXPECT_EQ(frames[6].visual, VisualKind::SingleMorph);
    EXPECT_EQ(frames[7].kind, FrameKind::Dummy);
    EXPECT_EQ(frames[8].kind, FrameKind::Target);
    EXPECT_EQ(frames[8].parent, 8);
    EXPECT_EQ(frames[9].kind, FrameKind::Joint);
    EXPECT_EQ(frames[10].kind, FrameKind::Occluder);
    EXPECT_EQ(frames[11].visual, VisualKind::Billboard);
    EXPECT_EQ(frames[12].instanceOf, 12);
    EXPECT_EQ(frames[13].visual, VisualKind::Mirror);
}

struct Stop {
    std::string why;
    std::string bytes;
    std::uint16_t version;
    FrameStop stop;
    std::size_t frame;
    std::size_t framesBefore;
    std::string text;
};

// Each stop keeps the frames before the one it is in and says where and why.
TEST(FrameListTest, EachStopSaysWhereAndWhy) {
    const std::string body = meshFrame({"body"}, {{3, {{1, 1}}}});
    const std::string list = frameList({body, body});
    MorphBytes ambiguous;
    ambiguous.regionByte = 0;
    std::string overcounted = frameList({body, body}, ListEnding::Nothing);
    overcounted[0] = 3;
    std::string hugeSector = sectorFrame({"room"}, 0, 0, {});
    hugeSector.replace(hugeSector.size() - 1 - 24 - 8, 4, "\xFF\xFF\xFF\xFF");  // the vertex count
    const std::vector<Stop> stops{
        {"a later game's frames", list, 41, FrameStop::Version, 0, 0, "frames of version 41 models are not read"},
        {"version 42", list, 42, FrameStop::Version, 0, 0, "frames of version 42 models are not read"},
        {"a light", frameList({body, bareFrame({"sun"}, 2)}), 29, FrameStop::FrameType, 2, 1,
         "frame 2: frame type 2 unknown"},
        {"type 0", frameList({bareFrame({"x"}, 0)}), 29, FrameStop::FrameType, 1, 0, "frame 1: frame type 0 unknown"},
        {"a projector", frameList({body, bareFrame({"p"}, 1, 7)}), 29, FrameStop::VisualType, 2, 1,
         "frame 2: visual type 7 unknown"},
        {"visual type 1", frameList({bareFrame({"p"}, 1, 1)}), 29, FrameStop::VisualType, 1, 0,
         "frame 1: visual type 1 unknown"},
        {"an ambiguous morph", frameList({morphFrame({"flag"}, {{3, {{1, 1}}}}, ambiguous)}), 29,
         FrameStop::AmbiguousMorph, 1, 0, "frame 1: a morph region's unknown byte is 0, which leaves its layout open"},
        {"no bytes", "", 29, FrameStop::PastTheEnd, 0, 0, "the file ends before the frame count"},
        {"more frames counted than there are", overcounted, 29, FrameStop::PastTheEnd, 3, 2,
         "frame 3: the file ends inside it"},
        // As eight real files end: one byte into the last material number.
        {"cut in the last material number", list.substr(0, list.size() - 2), 29, FrameStop::PastTheEnd, 2, 1,
         "frame 2: the file ends inside it"},
        {"a sector counting more vertices than the file holds", frameList({hugeSector}), 29, FrameStop::PastTheEnd, 1,
         0, "frame 1: the file ends inside it"},
    };
    for (const Stop& expected : stops) {
        const FrameList read = readList(expected.bytes, expected.version);
        ASSERT_FALSE(read.complete()) << expected.why;
        EXPECT_EQ(read.problem->stop, expected.stop) << expected.why;
        EXPECT_EQ(read.problem->frame, expected.frame) << expected.why;
        EXPECT_EQ(read.frames.size(), expected.framesBefore) << expected.why;
        EXPECT_EQ(describe(*read.problem), expected.text) << expected.why;
    }
}

// Any cut of a whole list stops inside the frame it cuts, never reads on.
TEST(FrameListTest, EveryCutShortListStopsPastTheEnd) {
    const std::string list = frameList(everyKindOfFrame(), ListEnding::Nothing);
    for (std::size_t size = 0; size < list.size(); ++size) {
        const FrameList cut = readList(list.substr(0, size));
        ASSERT_FALSE(cut.complete()) << size;
        EXPECT_EQ(cut.problem->stop, FrameStop::PastTheEnd) << size;
    }
}

}  // namespace
