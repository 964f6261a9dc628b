#include "model/material_usage.h"

#include <algorithm>
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

MaterialUsage::MaterialUsage(FrameList frames, std::int32_t materialCount)
    : frames_(std::move(frames)), known_(frames_.complete()) {
    if (!known_) return;
    uses_.resize(static_cast<std::size_t>(std::max(materialCount, 0)));
    // The frame whose levels each mesh has: itself, or for an instance the
    // source of the earlier frame it reuses (0 for none). Each is found from
    // those before it, so that a chain of instances costs no more than one.
    std::vector<std::uint16_t> sources(frames_.frames.size() + 1, 0);
    for (std::size_t n = 1; n < sources.size(); ++n) {
        const Frame& frame = frames_.frames[n - 1];
        const auto number = static_cast<std::uint16_t>(n);
        if (frame.kind == FrameKind::Visual && frame.visual == VisualKind::Glow) {
            addGlow(number);
        } else if (hasMesh(frame)) {
            sources[n] = frame.instanceOf == 0 ? number : frame.instanceOf < n ? sources[frame.instanceOf] : 0;
            if (sources[n] != 0) addMesh(number, sources[n]);
        }
    }
}

MaterialUsage MaterialUsage::of(const ModelFile& model) {
    return MaterialUsage(readFrameList(model.remainder(), model.version()), model.materials().count());
}

// Several face groups of one level may name the same material: their faces
// add up.
void MaterialUsage::addMesh(std::uint16_t number, std::uint16_t source) {
    const std::vector<DetailLevel>& levels = frame(source).levels;
    std::vector<std::pair<std::uint16_t, std::uint32_t>> facesByMaterial;  // in the order first named
    for (std::size_t level = 0; level < levels.size(); ++level) {
        facesByMaterial.clear();
        for (const FaceGroup& group : levels[level].faceGroups) {
            const auto named = std::find_if(facesByMaterial.begin(), facesByMaterial.end(),
                                            [&group](const auto& entry) { return entry.first == group.material; });
            if (named == facesByMaterial.end())
                facesByMaterial.emplace_back(group.material, group.faces);
            else
                named->second += group.faces;
        }
        for (const auto& [material, faces] : facesByMaterial)
            add(material, {number, static_cast<std::uint8_t>(level), faces,
                           static_cast<std::uint16_t>(source == number ? 0 : source), false});
    }
}

// A glow naming a material more than once uses it once.
void MaterialUsage::addGlow(std::uint16_t number) {
    for (const std::uint16_t material : frame(number).glowMaterials) {
        if (material == 0 || material > uses_.size()) continue;
        const std::vector<MaterialUse>& uses = uses_[material - 1u];
        if (uses.empty() || uses.back().frame != number) add(material, {number, 0, 0, 0, true});
    }
}

void MaterialUsage::add(std::uint16_t material, const MaterialUse& use) {
    if (material != 0 && material <= uses_.size()) uses_[material - 1u].push_back(use);
}

std::span<const MaterialUse> MaterialUsage::usesOf(std::int32_t number) const {
    if (number < 1 || static_cast<std::size_t>(number) > uses_.size()) return {};
    return uses_[static_cast<std::size_t>(number) - 1];
}

bool MaterialUsage::usedByFrameNamed(std::int32_t number, std::string_view text) const {
    const std::span<const MaterialUse> uses = usesOf(number);
    return std::any_of(uses.begin(), uses.end(),
                       [&](const MaterialUse& use) { return frameNameHolds(frame(use.frame).name, text); });
}

}  // namespace model
