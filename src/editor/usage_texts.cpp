#include "editor/usage_texts.h"

namespace editor {

namespace {

constexpr char kUsedPrefix[] = "Используется: кадров ";
constexpr char kFacesPart[] = ", граней ";
constexpr char kGlowsPart[] = ", свечений ";
constexpr char kUnused[] = "Не используется ни одним кадром";
constexpr char kUnknown[] = "Где используется, неизвестно: кадры модели не прочитаны";
constexpr char kInstancePrefix[] = " (копия ";
constexpr char kGlowLevel[] = "свечение";
constexpr char kFramesNotRead[] = "Кадры модели не прочитаны, где используются материалы, неизвестно: ";
constexpr char kFramePrefix[] = "кадр ";
constexpr char kVersionPrefix[] = "кадры моделей версии ";
constexpr char kVersionSuffix[] = " не читаются";
constexpr char kUnknownFrameType[] = "неизвестный тип кадра ";
constexpr char kUnknownVisualType[] = "неизвестный тип объекта ";
constexpr char kEndsBeforeList[] = "файл кончается до списка кадров";
constexpr char kEndsInsideFrame[] = "файл кончается внутри кадра";
constexpr char kAmbiguousMorph[] = "неоднозначная запись морфинга";

std::string number(std::uint64_t value) { return std::to_string(value); }

}  // namespace

std::string usageSummary(const model::MaterialUsage& usage, std::int32_t material) {
    if (!usage.known()) return kUnknown;
    if (usage.unused(material)) return kUnused;
    const model::UsageTotals totals = model::totalsOf(usage.usesOf(material));
    std::string text = kUsedPrefix + number(totals.frames);
    if (totals.frames > totals.glows) text += kFacesPart + number(totals.faces);  // glows have none
    if (totals.glows > 0) text += kGlowsPart + number(totals.glows);
    return text;
}

UseRow useRow(const model::MaterialUsage& usage, const model::MaterialUse& use) {
    UseRow row{usage.frame(use.frame).name, number(use.level), number(use.faces)};
    if (use.geometryOf != 0) row.frame += kInstancePrefix + usage.frame(use.geometryOf).name + ')';
    if (use.glow) {
        row.level = kGlowLevel;
        row.faces.clear();
    }
    return row;
}

std::string framesNotReadText(const model::FrameListProblem& problem) {
    const std::string value = number(problem.value);
    std::string why = problem.frame == 0 ? "" : kFramePrefix + number(problem.frame) + ": ";
    switch (problem.stop) {
        case model::FrameStop::Version:
            why = kVersionPrefix + value + kVersionSuffix;
            break;
        case model::FrameStop::FrameType:
            why += kUnknownFrameType + value;
            break;
        case model::FrameStop::VisualType:
            why += kUnknownVisualType + value;
            break;
        case model::FrameStop::PastTheEnd:
            why += problem.frame == 0 ? kEndsBeforeList : kEndsInsideFrame;
            break;
        case model::FrameStop::AmbiguousMorph:
            why += kAmbiguousMorph;
            break;
    }
    return kFramesNotRead + why;
}

}  // namespace editor
