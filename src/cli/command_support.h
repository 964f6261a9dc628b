// What the commands of skirvane-cli share: loading and saving a model,
// reading numbers and texture names from texts and the wording of refused
// changes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/code_page.h"
#include "model/material_edit.h"
#include "model/material_usage.h"
#include "model/model_file.h"

namespace cli {

// The short names of the texture kinds, by TextureKind, as the viewer
// labels its images.
constexpr std::array<std::string_view, 3> kTextureKindNames{"Env", "Diff", "Alfa"};

// The material's number in brackets and its joined texture names (as
// UTF-8), as a row of the editor's list shows it: "[3] |WOOD01.BMP|".
std::string materialRow(std::int32_t number, const model::Material& material);

// True when the model's frames were read; otherwise says so on `err`
// ("Can't read the frames of PATH: REASON").
bool framesRead(const std::string& pathArgument, const model::MaterialUsage& usage, std::ostream& err);

// Load and save report failures on `err` with the path as given.
bool loadModel(const std::string& pathArgument, model::ModelFile& model, std::ostream& err,
               model::ModelFile::LoadScope scope = model::ModelFile::WholeFile);
bool saveModel(const model::ModelFile& model, const std::string& pathArgument, std::ostream& err);

// The whole text as a number, or nothing. Floats are read exactly (the
// nearest 32-bit float); "nan", "inf" and values beyond a float's range
// are numbers here, for the rules to refuse.
std::optional<float> floatOfText(std::string_view text);
std::optional<std::int64_t> integerOfText(std::string_view text);

// "material 3, density: TEXT", the form of every refusal.
void reportRefusal(std::ostream& err, std::int32_t number, std::string_view field, std::string_view text);
// Why the rules refuse a change, in words.
std::string_view refusalText(const model::EditProblem& problem);

// Whether a changed material keeps a reflection density that the change
// gave: the file holds one only with the reflection texture.
bool keepsReflectionDensity(const model::Material& changed, const model::MaterialEdit& edit);
constexpr std::string_view kReflectionDensityLostText =
    "the material has no reflection texture to hold the density; give a reflection name too";

// Why a text that utf8ToCp1251 did not convert is refused.
std::string_view unconvertedText(core::Utf8Conversion conversion);
// A texture name typed as UTF-8, taken as the name box takes it and
// converted to code page 1251. Nothing when it is refused; `why` then says
// why.
std::optional<std::string> acceptTypedName(std::string_view typed, std::string_view& why);

}  // namespace cli
