// Writes a large model for timing: 10,000 materials of the kinds real models
// hold (plain, reflective, alpha-masked, animated textures with the editor's
// flags) and mesh-like bytes after them, 64 MiB in all.
// Usage: make-big-model OUT.4ds
#include <cstdio>
#include <exception>
#include <random>
#include <string>

#include "model_bytes.h"
#include "realistic_records.h"

namespace {

constexpr std::size_t kMaterialCount = 10'000;
constexpr std::size_t kFileSize = 64 * 1024 * 1024;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-big-model OUT.4ds\n");
        return 2;
    }
    try {
        std::mt19937 random(4);
        test_support::ModelBytes model;
        for (std::size_t n = 0; n < kMaterialCount; ++n) model.records.push_back(realisticRecord(random));
        const std::size_t headerAndMaterials = test_support::encodeModel(model).size();
        model.remainder = test_support::meshLikeBytes(random, kFileSize - headerAndMaterials);
        test_support::writeFileBytes(argv[1], test_support::encodeModel(model));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-big-model: %s\n", error.what());
        return 1;
    }
    return 0;
}
