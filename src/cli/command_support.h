// What the commands of skirvane-cli share: their table entry, usage
// messages, loading and saving a model, reading numbers and texture names
// from texts and the wording of refused changes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "core/code_page.h"
#include "model/material_edit.h"
#include "model/model_file.h"

namespace cli {

using Arguments = std::span<const std::string>;

struct Command {
    std::string_view name;
    std::string_view synopsis;  // "set MODEL.4ds NUMBER [changes] [-o OUT.4ds]"
    std::string_view summary;   // one line for the list of commands
    std::string_view details;   // the rest of the command's --help; may be empty
    // Runs the command on the arguments after its name.
    int (*handler)(Arguments arguments, std::ostream& out, std::ostream& err);
};

extern const Command kShowCommand;
extern const Command kSaveCommand;
extern const Command kSetCommand;
extern const Command kImportCommand;
extern const Command kTexturesCommand;
extern const Command kFindCommand;
extern const Command kRenameTextureCommand;

// The short names of the texture kinds, by TextureKind, as the viewer
// labels its images.
constexpr std::array<std::string_view, 3> kTextureKindNames{"Env", "Diff", "Alfa"};

void printCommandUsage(const Command& command, std::ostream& stream);
// Reports a command line the command cannot take, with its usage; gives
// the exit status for it.
int wrongUsage(const Command& command, std::string_view problem, std::ostream& err);

// An argument that is an option ("--density", "-o") rather than an operand.
bool isOption(std::string_view argument);
// The value of the option at arguments[at]: the text after "=" in the
// argument itself, or else the next argument, which `at` then moves to.
// Nothing when there is neither.
std::optional<std::string_view> optionValue(Arguments arguments, std::size_t& at);
// The option's name without a value given after "=".
std::string_view optionName(std::string_view argument);

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
