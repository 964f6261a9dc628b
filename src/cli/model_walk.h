// The batch commands' PATH arguments: each a model or a folder of models,
// walked in a stable order, each model's output kept together.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "model/model_file.h"

namespace cli {

// Adds the models an argument names, as path arguments: the argument itself
// when it names no folder; else every regular file in the folder and its
// subfolders whose extension is ".4ds" in any letter case (links to folders
// are not followed), sorted name by name along their paths. A folder that
// cannot be read is reported on `err` ("Can't read folder: PATH"); false
// then, with the models of the other folders added.
bool findModels(std::string_view argument, std::vector<std::string>& models, std::ostream& err);

// Whether the arguments name a single model rather than a folder or several
// models: the commands then print what they printed before they took many.
bool namesOneModel(Arguments paths);

// What a command does with one read model: its lines go to `lines`, its
// problems to `problems`. False when the model fails the command.
using ModelVisitor =
    std::function<bool(const std::string& path, model::ModelFile& model, std::ostream& lines, std::ostream& problems)>;

struct ModelWalk {
    model::ModelFile::LoadScope scope = model::ModelFile::MaterialsOnly;
    bool pathLines = true;  // each model's path on a line before its lines
};

// Reads every model the arguments name and hands it to `visit`, in the
// order of the arguments and of findModels. A model that cannot be read is
// reported ("Can't read file: PATH") and the others still run. Each model's
// lines reach `out` together, its problems `err`; while this runs, a
// terminal on `err` shows how many models are done. False when a folder or
// model could not be read or `visit` gave false for any.
bool visitModels(Arguments paths, const ModelWalk& walk, const ModelVisitor& visit, std::ostream& out,
                 std::ostream& err);

}  // namespace cli
