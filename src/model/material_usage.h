// Where each material of a model is used, from its frame list: the frames
// whose face groups or glows name it. Each level of detail of a mesh counts
// on its own, with the faces of all its face groups that name the material.
// An instance is credited with the levels of the frame whose geometry it
// reuses, and says which frame that is. A material that no face group and
// no glow names is unused; when the frames did not read to their end, the
// usage is unknown and no material is called unused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/frame_list.h"
#include "model/model_file.h"

namespace model {

struct MaterialUse {
    std::uint16_t frame = 0;  // the frame's number, from 1
    std::uint8_t level = 0;   // of detail, 0 the most detailed; 0 for a glow
    std::uint32_t faces = 0;  // 0 for a glow
    // The frame whose geometry an instance reuses (its face groups are
    // these); 0 for a frame with its own.
    std::uint16_t geometryOf = 0;
    bool glow = false;

    bool operator==(const MaterialUse&) const = default;
};

// What the uses of one material add up to, as the editor shows them.
struct UsageTotals {
    std::size_t frames = 0;   // frames using it, instances and glows among them
    std::uint64_t faces = 0;  // in the most detailed level (0) of each
    std::size_t glows = 0;    // glow frames naming it
};
UsageTotals totalsOf(std::span<const MaterialUse> uses);

// Whether a frame's name holds the text in any letter case (Latin and
// Cyrillic); an empty text is held by no name.
bool frameNameHolds(std::string_view name, std::string_view text);

class MaterialUsage {
public:
    // Nothing is known.
    MaterialUsage() = default;
    // The usage of materials 1..materialCount by the frames; names of
    // materials outside that range are not counted.
    MaterialUsage(FrameList frames, std::int32_t materialCount);
    // The usage in the model's frame list.
    static MaterialUsage of(const ModelFile& model);

    // The frames read to their end, so that the usage is known.
    bool known() const { return known_; }
    const FrameList& frames() const { return frames_; }
    const Frame& frame(std::uint16_t number) const { return frames_.frames[number - 1u]; }
    // The uses of the material, by frame and level in file order; none
    // when it is unused or the usage is unknown.
    std::span<const MaterialUse> usesOf(std::int32_t number) const;
    bool unused(std::int32_t number) const { return known_ && usesOf(number).empty(); }
    // Whether a frame whose name holds the text uses the material.
    bool usedByFrameNamed(std::int32_t number, std::string_view text) const;

private:
    FrameList frames_;
    bool known_ = false;
    std::vector<MaterialUse> uses_;  // material by material
    // Where the uses of material n start in uses_ is firstUse_[n - 1], and
    // where they end firstUse_[n].
    std::vector<std::uint32_t> firstUse_;
};

}  // namespace model
