// Writes a mod's folder of models for timing: 1,000 models of 1 MiB each,
// 30 materials of the kinds real models hold and mesh-like bytes after
// them, in ten folders "areaN" of which every fourth model lies in a
// subfolder "props" and every tenth has the extension in capitals.
// Usage: make-mod-folder OUT-FOLDER
#include <cstdio>
#include <exception>
#include <filesystem>
#include <random>
#include <string>

#include "model_bytes.h"
#include "realistic_records.h"

namespace {

constexpr std::size_t kModelCount = 1'000;
constexpr std::size_t kMaterialCount = 30;
constexpr std::size_t kFileSize = 1024 * 1024;

std::filesystem::path modelPath(const std::filesystem::path& mod, std::size_t n) {
    std::filesystem::path folder = mod / ("area" + std::to_string(n / 100));
    if (n % 4 == 0) folder /= "props";
    std::filesystem::create_directories(folder);
    return folder / ("model" + std::to_string(n) + (n % 10 == 3 ? ".4DS" : ".4ds"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-mod-folder OUT-FOLDER\n");
        return 2;
    }
    try {
        std::mt19937 random(18);
        for (std::size_t n = 0; n < kModelCount; ++n) {
            test_support::ModelBytes model;
            for (std::size_t m = 0; m < kMaterialCount; ++m) model.records.push_back(realisticRecord(random));
            const std::size_t headerAndMaterials = test_support::encodeModel(model).size();
            model.remainder = test_support::meshLikeBytes(random, kFileSize - headerAndMaterials);
            test_support::writeFileBytes(modelPath(argv[1], n).string(), test_support::encodeModel(model));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-mod-folder: %s\n", error.what());
        return 1;
    }
    return 0;
}
