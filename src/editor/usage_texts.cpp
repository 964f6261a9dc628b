#include "editor/usage_texts.h"

#include "editor/texts/interface_texts.h"

namespace editor {

namespace {

std::string number(std::uint64_t value) { return std::to_string(value); }

}  // namespace

std::string usageSummary(const model::MaterialUsage& usage, std::int32_t material) {
    if (!usage.known()) return text(TextName::UsageUnknown);
    if (usage.unused(material)) return text(TextName::Unused);
    const model::UsageTotals totals = model::totalsOf(usage.usesOf(material));
    std::string summary = text(TextName::UsedByFrames) + number(totals.frames);
    if (totals.frames > totals.glows) summary += text(TextName::UsedFaces) + number(totals.faces);  // glows have none
    if (totals.glows > 0) summary += text(TextName::UsedGlows) + number(totals.glows);
    return summary;
}

UseRow useRow(const model::MaterialUsage& usage, const model::MaterialUse& use) {
    UseRow row{usage.frame(use.frame).name, number(use.level), number(use.faces)};
    if (use.geometryOf != 0) row.frame += text(TextName::InstanceOf) + usage.frame(use.geometryOf).name + ')';
    if (use.glow) {
        row.level = text(TextName::GlowLevel);
        row.faces.clear();
    }
    return row;
}

std::string framesNotReadText(const model::FrameListProblem& problem) {
    const std::string value = number(problem.value);
    std::string why = problem.frame == 0 ? "" : text(TextName::FrameNumber) + number(problem.frame) + ": ";
    switch (problem.stop) {
        case model::FrameStop::Version:
            why = text(TextName::VersionNotRead) + value + text(TextName::VersionNotReadEnd);
            break;
        case model::FrameStop::FrameType:
            why += text(TextName::UnknownFrameType) + value;
            break;
        case model::FrameStop::VisualType:
            why += text(TextName::UnknownVisualType) + value;
            break;
        case model::FrameStop::PastTheEnd:
            why += problem.frame == 0 ? text(TextName::EndsBeforeFrameList) : text(TextName::EndsInsideFrame);
            break;
        case model::FrameStop::AmbiguousMorph:
            why += text(TextName::AmbiguousMorph);
            break;
    }
    return text(TextName::FramesNotRead) + why;
}

}  // namespace editor
