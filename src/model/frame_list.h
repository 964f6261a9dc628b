// The frame list that follows a model's material section, read and never
// written: each frame's kind, name and parent, the levels of detail of its
// mesh with their face groups (how many faces, which material), the
// materials its glows name and the frame whose mesh an instance reuses.
// No record in the list carries its length, so the reader walks every
// counted array and stops at anything it does not know, saying why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace model {

enum class FrameKind : std::uint8_t { Visual = 1, Sector = 5, Dummy = 6, Target = 7, Joint = 10, Occluder = 12 };
enum class VisualKind : std::uint8_t {
    Object = 0,
    SingleMesh = 2,   // skinned
    SingleMorph = 3,  // skinned and morphed
    Billboard = 4,
    Morph = 5,
    Glow = 6,
    Mirror = 8,
};

struct FaceGroup {
    std::uint16_t faces = 0;
    std::uint16_t material = 0;  // from 1; 0 for none
};

// The parts of a list's frames lie in the list's own arrays, one after the
// other, each frame's and each level's as a run of them: reading a list
// takes a few growing arrays rather than some for every frame.
struct Run {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

struct DetailLevel {
    Run faceGroups;
};

struct Frame {
    FrameKind kind = FrameKind::Dummy;
    VisualKind visual = VisualKind::Object;  // of a visual frame
    std::uint16_t parent = 0;                // the parent's number (from 1); 0 for none
    std::string name;                        // code page 1251
    // A mesh that reuses the geometry of the frame with this number has no
    // levels of its own; 0 for a mesh with its own (and any other frame).
    std::uint16_t instanceOf = 0;
    Run levels;         // of a mesh, most detailed first
    Run glowMaterials;  // of a glow, each from 1
};

// Why the frames were not read to their end.
enum class FrameStop {
    Version,        // a version whose frames are not read: `value` is it
    FrameType,      // an unknown frame type: `value`
    VisualType,     // an unknown visual type: `value`
    PastTheEnd,     // a count or a text runs past the end of the file
    AmbiguousMorph  // a morph region's unknown byte is 0, so its layout is unknown
};

struct FrameListProblem {
    FrameStop stop;
    std::size_t frame;  // the frame it is in, from 1; 0 before the first
    std::uint32_t value;
};

// The problem in words: "frame 3: visual type 7 unknown".
std::string describe(const FrameListProblem& problem);

struct FrameList {
    // Every frame when the list read to its end; otherwise those before
    // the one the reader stopped in.
    std::vector<Frame> frames;
    std::optional<FrameListProblem> problem;
    std::vector<DetailLevel> levels;
    std::vector<FaceGroup> faceGroups;
    std::vector<std::uint16_t> glowMaterials;

    bool complete() const { return !problem; }
    std::span<const DetailLevel> levelsOf(const Frame& frame) const { return partsOf(levels, frame.levels); }
    std::span<const FaceGroup> faceGroupsOf(const DetailLevel& level) const {
        return partsOf(faceGroups, level.faceGroups);
    }
    std::span<const std::uint16_t> glowMaterialsOf(const Frame& frame) const {
        return partsOf(glowMaterials, frame.glowMaterials);
    }

private:
    template <class Part>
    static std::span<const Part> partsOf(const std::vector<Part>& parts, Run run) {
        return std::span<const Part>(parts).subspan(run.first, run.count);
    }
};

// Reads the frame list from the bytes after the material section of a
// model of this version (27 and 29; others stop). After the last frame the
// file may end, hold the one flag byte, two zero bytes or the flag byte and
// more: all are accepted, as real files have them.
FrameList readFrameList(std::span<const std::uint8_t> bytes, std::uint16_t version);

}  // namespace model
