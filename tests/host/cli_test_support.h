// Runs skirvane-cli's commands in-process on files of a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace cli_test {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline Outcome runCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::run(args, out, err);
    return {status, out.str(), err.str()};
}

class CliTest : public ::testing::Test {
protected:
    // Writes the file and gives its path.
    std::string put(const std::string& name, const std::string& bytes) {
        test_support::writeFileBytes(file(name), bytes);
        return file(name);
    }
    std::string putModel(const std::string& name, const test_support::ModelBytes& model) {
        return put(name, test_support::encodeModel(model));
    }
    std::string file(const std::string& name) const { return folder_.file(name); }
    // The path of a file below the folder "mod", as the folder walk gives it.
    std::string inMod(const std::string& relative) const {
        return (folder_.path() / "mod" / std::filesystem::path(relative).make_preferred()).string();
    }
    std::string read(const std::string& name) const { return test_support::readFileBytes(file(name)); }

    // The names of everything in the folder, to see that nothing was left.
    std::vector<std::string> folderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test_support::TempFolder folder_;
};

}  // namespace cli_test
