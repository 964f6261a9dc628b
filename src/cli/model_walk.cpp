#include "cli/model_walk.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "cli/command_support.h"
#include "cli/paths.h"
#include "cli/progress_line.h"

namespace cli {

namespace {

namespace fs = std::filesystem;

bool hasModelExtension(const fs::path& file) {
    constexpr std::string_view kExtension = ".4ds";
    const fs::path::string_type extension = file.extension().native();
    return extension.size() == kExtension.size() &&
           std::equal(extension.begin(), extension.end(), kExtension.begin(), [](auto given, char wanted) {
               return (given >= 'A' && given <= 'Z' ? given - 'A' + 'a' : given) == wanted;
           });
}

}  // namespace

bool findModels(std::string_view argument, std::vector<std::string>& models, std::ostream& err) {
    const fs::path root = fileSystemPathOf(argument);
    std::error_code error;
    if (!fs::is_directory(root, error)) {
        models.emplace_back(argument);
        return true;
    }
    // Folders still to read, kept here rather than on the call stack, since
    // a tree may be deeper than the stack allows.
    std::vector<fs::path> folders{root};
    std::vector<fs::path> found;
    bool complete = true;
    while (!folders.empty()) {
        const fs::path folder = std::move(folders.back());
        folders.pop_back();
        fs::directory_iterator entry(folder, error);
        for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
            std::error_code unknown;  // an entry whose kind cannot be had is neither folder nor file
            if (entry->is_directory(unknown) && !entry->is_symlink(unknown))
                folders.push_back(entry->path());
            else if (hasModelExtension(entry->path()) && entry->is_regular_file(unknown))
                found.push_back(entry->path());
        }
        if (error) {
            err << "Can't read folder: " << argumentOfPath(folder) << '\n';
            complete = false;
        }
    }
    std::sort(found.begin(), found.end());
    for (const fs::path& file : found) models.push_back(argumentOfPath(file));
    return complete;
}

bool namesOneModel(Arguments paths) {
    std::error_code error;
    return paths.size() == 1 && !fs::is_directory(fileSystemPathOf(paths[0]), error);
}

bool visitModels(Arguments paths, const ModelWalk& walk, const ModelVisitor& visit, std::ostream& out,
                 std::ostream& err) {
    std::vector<std::string> models;
    bool complete = true;
    for (const std::string& path : paths) complete = findModels(path, models, err) && complete;

    ProgressLine progress(progressTerminal(err), models.size());
    progress.update(0);
    std::ostringstream lines;
    std::ostringstream problems;
    for (std::size_t done = 0; done < models.size();) {
        const std::string& path = models[done];
        lines.str({});
        problems.str({});
        model::ModelFile model;
        const bool visited = loadModel(path, model, problems, walk.scope) && visit(path, model, lines, problems);
        complete = visited && complete;
        if (!lines.view().empty() || !problems.view().empty()) progress.erase();
        if (walk.pathLines && !lines.view().empty()) out << path << '\n';
        out << lines.view();
        err << problems.view();
        progress.update(++done);
    }
    return complete;
}

}  // namespace cli
