// What the editor says about where the materials are used: the line the
// panel shows for a material, the rows of the usage window and the status
// bar's note on a model whose frames cannot be read.
#pragma once

#include <cstdint>
#include <string>

#include "model/material_usage.h"

namespace editor {

// "Используется: кадров 3, граней 1240" (the faces of each frame's most
// detailed level; ", свечений 1" adds glows, and a material only glows use
// has no faces to tell), "Не используется ни одним кадром", or that it is
// not known when the frames were not read.
std::string usageSummary(const model::MaterialUsage& usage, std::int32_t number);

// A use as the usage window lists it: the frame (with the frame whose
// geometry an instance reuses), the level of detail and the faces.
struct UseRow {
    std::string frame;
    std::string level;
    std::string faces;
};
UseRow useRow(const model::MaterialUsage& usage, const model::MaterialUse& use);

// Why the frames were not read, for the status bar.
std::string framesNotReadText(const model::FrameListProblem& problem);

}  // namespace editor
