// Builds the frame list that follows a model's material section, byte by
// byte and independently of the model code: one function a kind of frame,
// each giving the frame's bytes, and the list around them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

// What every frame starts with besides its type.
struct FrameHead {
    std::string name;
    std::uint16_t parent = 0;  // its number, from 1; 0 for none
    std::string parameters;
};

struct FaceGroupBytes {
    std::uint16_t faces = 1;
    std::uint16_t material = 0;  // from 1; 0 for none
};

struct LevelBytes {
    std::uint16_t vertices = 3;
    std::vector<FaceGroupBytes> faceGroups;
};

// The visual types that start with a mesh.
enum class MeshKind : std::uint8_t { Object = 0, Billboard = 4 };

// A mesh with its own levels, and one that reuses another frame's.
std::string meshFrame(const FrameHead& head, const std::vector<LevelBytes>& levels, MeshKind kind = MeshKind::Object);
std::string instanceFrame(const FrameHead& head, std::uint16_t source, MeshKind kind = MeshKind::Object);
// A skinned mesh: each level's skin has this many joints, each with
// `weights` weights.
std::string skinnedFrame(const FrameHead& head, const std::vector<LevelBytes>& levels, std::uint8_t joints,
                         std::uint32_t weights);

struct MorphBytes {
    std::uint8_t targets = 2;  // 0 ends the morph after this byte
    std::uint8_t regions = 2;
    std::uint8_t levels = 1;
    std::uint16_t vertices = 3;   // of each region
    std::uint8_t regionByte = 1;  // the byte after a region's vertices
};
// A morph (visual type 5), or with `skinned` a skinned morph (3) with one
// joint of no weights a level.
std::string morphFrame(const FrameHead& head, const std::vector<LevelBytes>& levels, const MorphBytes& morph,
                       bool skinned = false);
std::string glowFrame(const FrameHead& head, const std::vector<std::uint16_t>& materials);
std::string mirrorFrame(const FrameHead& head, std::uint32_t vertices, std::uint32_t faces);
// A sector with a portal of each of these vertex counts.
std::string sectorFrame(const FrameHead& head, std::uint32_t vertices, std::uint32_t faces,
                        const std::vector<std::uint8_t>& portals);
std::string dummyFrame(const FrameHead& head);
std::string targetFrame(const FrameHead& head, const std::vector<std::uint16_t>& links);
std::string jointFrame(const FrameHead& head, std::uint32_t id);
std::string occluderFrame(const FrameHead& head, std::uint32_t vertices, std::uint32_t faces);
// A frame of any type byte (and visual type byte for type 1) with no body.
std::string bareFrame(const FrameHead& head, std::uint8_t type, std::uint8_t visual = 0);

// One frame of every kind the reader knows, fourteen in all: 1 "body", a mesh
// with two levels (materials 1 and 2, then 1); 2 "body copy", an instance
// of 1; 3 "flare", a glow naming material 3 twice; 4 "room", a sector with
// two portals; 5 "flag", a morph (material 2); 6 "arm", a skinned mesh with
// two levels (material 2); 7 "face", a skinned morph without targets
// (material 4); 8 "helper", a dummy; 9 "look", a target; 10 "bone", a
// joint; 11 "wall", an occluder; 12 "tree", a billboard (material 4); 13
// "tree 2", an instance of 12; 14 "mirror", a mirror.
std::vector<std::string> everyKindOfFrame();

// What follows the last frame, as real files have it.
enum class ListEnding { FlagByte, Nothing, TwoZeroBytes, FlagByteAndMore };

// The count, the frames and the ending.
std::string frameList(const std::vector<std::string>& frames, ListEnding ending = ListEnding::FlagByte);

}  // namespace test_support
