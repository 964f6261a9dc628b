// The model as JSON, in the form `skirvane-cli show` prints.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>

#include "model/material_usage.h"
#include "model/model_file.h"

namespace cli {

// Keys stay in the order they are written; numbers with a fraction are
// 32-bit floats, printed in the shortest form that reads back as the same
// value.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t, std::uint64_t,
                                  float>;

// A finite float as a number. JSON has no infinities or not-a-number, so
// those become the texts "Infinity", "-Infinity" and "NaN:XXXXXXXX" (the
// value's 32 bits in hexadecimal), which floatFromJson reads back.
Json floatToJson(float value);
bool floatFromJson(const Json& json, float& value);

// A list of floats, each as floatToJson gives it.
Json floatsToJson(std::span<const float> values);

// What the flag word holds, by name: the switches that are on, the tiling
// count, the blend mode and the mapping mode.
Json flagNamesToJson(std::uint32_t flags);

// Where the material is used: one entry a frame and level of detail,
// {"frame": NAME, "level": L, "faces": F}, with "instanceOf": NAME for an
// instance (the faces are that frame's), and {"frame": NAME, "glow": true}
// for a glow; null when the usage is unknown.
Json usedByToJson(const model::MaterialUsage& usage, std::int32_t number);

// A material as show prints it. A material of a version 41 or 42 model adds
// what its record holds beyond the fields the editor edits: the fourth
// components of its colours, the specular colour and the glossiness.
Json materialToJson(const model::Material& material, std::int32_t number, const model::MaterialUsage& usage);
// The model as show prints it, with whether its frames were read and, when
// they were not, why.
Json modelToJson(const model::ModelFile& model);
// The fields that say whether the frames were read: "framesRead" and, when
// they were not, "framesProblem".
Json framesReadToJson(const model::MaterialUsage& usage);

}  // namespace cli
