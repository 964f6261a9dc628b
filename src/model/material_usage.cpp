#include "model/material_usage.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "core/code_page.h"

namespace model {

namespace {

bool hasMesh(const Frame& frame) {
    if (frame.kind != FrameKind::Visual) return false;
    switch (frame.visual) {
        case VisualKind::Object:
        case VisualKind::SingleMesh:
        case VisualKind::SingleMorph:
        case VisualKind::Billboard:
        case VisualKind::Morph:
            return true;
        case VisualKind::Glow:
        case VisualKind::Mirror:
            break;
    }
    return false;
}

// A use of a material found in the frames, in frame order.
struct FoundUse {
    std::uint16_t material;
    MaterialUse use;
};

// Walks the frames in order and notes each use of a material 1..count.
class UseFinder {
public:
    UseFinder(const FrameList& frames, std::int32_t materialCount)
        : frames_(frames), materialCount_(static_cast<std::uint32_t>(std::max(materialCount, 0))) {}

    std::vector<FoundUse> find() {
        // The frame whose levels each mesh has: itself, or for an instance
        // the source of the earlier frame it reuses (0 for none). Each is
        // found from those before it, so that a chain of instances costs no
        // more than one.
        std::vector<std::uint16_t> sources(frames_.frames.size() + 1, 0);
        for (std::size_t n = 1; n < sources.size(); ++n) {
            const Frame& frame = frames_.frames[n - 1];
            const auto number = static_cast<std::uint16_t>(n);
            if (frame.kind == FrameKind::Visual && frame.visual == VisualKind::Glow) {
                addGlow(number, frame);
            } else if (hasMesh(frame)) {
                sources[n] = frame.instanceOf == 0 ? number : frame.instanceOf < n ? sources[frame.instanceOf] : 0;
                if (sources[n] != 0) addMesh(number, sources[n]);
            }
        }
        return std::move(found_);
    }

private:
    // Several face groups of one level may name the same material: their
    // faces add up.
    void addMesh(std::uint16_t number, std::uint16_t source) {
        const std::span<const DetailLevel> levels = frames_.levelsOf(frames_.frames[source - 1u]);
        for (std::size_t level = 0; level < levels.size(); ++level) {
            levelFaces_.clear();  // by material, in the order first named
            for (const FaceGroup& group : frames_.faceGroupsOf(levels[level])) {
                const auto named = std::find_if(levelFaces_.begin(), levelFaces_.end(),
                                                [&group](const auto& entry) { return entry.first == group.material; });
                if (named == levelFaces_.end())
                    levelFaces_.emplace_back(group.material, group.faces);
                else
                    named->second += group.faces;
            }
            for (const auto& [material, faces] : levelFaces_)
                add(material, {number, static_cast<std::uint8_t>(level), faces,
                               static_cast<std::uint16_t>(source == number ? 0 : source), false});
        }
    }

    // A glow naming a material more than once uses it once.
    void addGlow(std::uint16_t number, const Frame& frame) {
        const std::size_t start = found_.size();
        for (const std::uint16_t material : frames_.glowMaterialsOf(frame)) {
            const auto named = [material](const FoundUse& found) { return found.material == material; };
            if (std::none_of(found_.begin() + static_cast<std::ptrdiff_t>(start), found_.end(), named))
                add(material, {number, 0, 0, 0, true});
        }
    }

    void add(std::uint16_t material, const MaterialUse& use) {
        if (material != 0 && material <= materialCount_) found_.push_back({material, use});
    }

    const FrameList& frames_;
    const std::uint32_t materialCount_;
    std::vector<FoundUse> found_;
    std::vector<std::pair<std::uint16_t, std::uint32_t>> levelFaces_;
};

}  // namespace

UsageTotals totalsOf(std::span<const MaterialUse> uses) {
    UsageTotals totals;
    std::uint16_t lastFrame = 0;  // uses come frame by frame
    for (const MaterialUse& use : uses) {
        if (use.frame != lastFrame) ++totals.frames;
        lastFrame = use.frame;
        if (use.glow)
            ++totals.glows;
        else if (use.level == 0)
            totals.faces += use.faces;
    }
    return totals;
}

bool frameNameHolds(std::string_view name, std::string_view text) {
    return !text.empty() && core::capitalized(name).find(core::capitalized(text)) != std::string::npos;
}

// The uses found in frame order are put material by material, keeping that
// order for each: counted first, then each placed after those before it.
MaterialUsage::MaterialUsage(FrameList frames, std::int32_t materialCount)
    : frames_(std::move(frames)), known_(frames_.complete()) {
    if (!known_) return;
    const std::vector<FoundUse> found = UseFinder(frames_, materialCount).find();
    firstUse_.assign(static_cast<std::size_t>(std::max(materialCount, 0)) + 1, 0);
    for (const FoundUse& use : found) ++firstUse_[use.material];
    // Each material's count becomes the end of its uses, that is where
    // those of the next one start.
    std::partial_sum(firstUse_.begin(), firstUse_.end(), firstUse_.begin());
    std::vector<std::uint32_t> next(firstUse_.begin(), firstUse_.end() - 1);
    uses_.resize(found.size());
    for (const FoundUse& use : found) uses_[next[use.material - 1u]++] = use.use;
}

MaterialUsage MaterialUsage::of(const ModelFile& model) {
    return MaterialUsage(readFrameList(model.remainder(), model.version()), model.materials().count());
}

std::span<const MaterialUse> MaterialUsage::usesOf(std::int32_t number) const {
    if (number < 1 || static_cast<std::size_t>(number) >= firstUse_.size()) return {};
    const auto n = static_cast<std::size_t>(number);
    return std::span<const MaterialUse>(uses_).subspan(firstUse_[n - 1], firstUse_[n] - firstUse_[n - 1]);
}

bool MaterialUsage::usedByFrameNamed(std::int32_t number, std::string_view text) const {
    const std::span<const MaterialUse> uses = usesOf(number);
    return std::any_of(uses.begin(), uses.end(),
                       [&](const MaterialUse& use) { return frameNameHolds(frame(use.frame).name, text); });
}

}  // namespace model
