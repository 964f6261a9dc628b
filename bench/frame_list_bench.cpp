// Times reading a model's frame list and counting where its materials are
// used, against opening the model file, which reads it whole. The model
// holds 200 materials and 2,000 frames in 4 MB: meshes with one or two
// levels of detail, instances, glows and dummies. The goal: the frames
// read and counted in under half the time the open takes, so that the
// editor can do it on every open.
//
// The file is written into a temporary folder at start, so the system holds
// it in its cache: what is timed is reading, not the disk.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "frame_bytes.h"
#include "model/material_usage.h"
#include "model/model_file.h"
#include "model_bytes.h"
#include "realistic_records.h"
#include "temp_folder.h"

namespace {

using namespace test_support;

constexpr int kMaterials = 200;
constexpr int kFrames = 2000;

// Ten frames at a time: a dummy, seven meshes under it, an instance of the
// last of them and a glow.
std::string bigModel() {
    std::mt19937 random(2000);
    const auto material = [&random] { return static_cast<std::uint16_t>(1 + random() % kMaterials); };
    ModelBytes model;
    for (int n = 0; n < kMaterials; ++n) model.records.push_back(realisticRecord(random));
    std::vector<std::string> frames;
    for (int group = 0; frames.size() < kFrames; ++group) {
        const auto dummy = static_cast<std::uint16_t>(frames.size() + 1);
        frames.push_back(dummyFrame({"group" + std::to_string(group)}));
        for (int mesh = 0; mesh < 7; ++mesh) {
            const LevelBytes detailed{60, {{40, material()}, {40, material()}, {40, material()}}};
            const LevelBytes coarse{15, {{10, material()}, {10, material()}}};
            std::vector<LevelBytes> levels{detailed};
            if (mesh % 2 == 0) levels.push_back(coarse);
            frames.push_back(meshFrame({"mesh" + std::to_string(frames.size()), dummy}, levels));
        }
        frames.push_back(
            instanceFrame({"copy" + std::to_string(frames.size()), dummy}, static_cast<std::uint16_t>(frames.size())));
        frames.push_back(glowFrame({"glow" + std::to_string(frames.size()), dummy}, {material(), material()}));
    }
    model.remainder = frameList(frames);
    return encodeModel(model);
}

class ModelOnDisk {
public:
    ModelOnDisk() {
        const std::string bytes = bigModel();
        writeFileBytes(path, bytes);
        benchmark::AddCustomContext("model", std::to_string(bytes.size()) + " bytes, " + std::to_string(kMaterials) +
                                                 " materials, " + std::to_string(kFrames) + " frames");
        benchmark::AddCustomContext("goal", "ReadFramesAndUsage under half of OpenModel");
    }
    TempFolder folder;
    const std::string path = folder.file("big.4ds");
};

const ModelOnDisk& modelOnDisk() {
    static const ModelOnDisk made;
    return made;
}

void OpenModel(benchmark::State& state) {
    for (auto _ : state) {
        model::ModelFile model;
        if (!model.load(modelOnDisk().path)) state.SkipWithError("the model did not load");
        benchmark::DoNotOptimize(model.remainder().data());
    }
}

void ReadFramesAndUsage(benchmark::State& state) {
    model::ModelFile model;
    if (!model.load(modelOnDisk().path)) state.SkipWithError("the model did not load");
    for (auto _ : state) {
        const model::MaterialUsage usage = model::MaterialUsage::of(model);
        if (!usage.known()) state.SkipWithError("the frames were not read");
        benchmark::DoNotOptimize(usage.usesOf(1).data());
    }
}

BENCHMARK(OpenModel)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadFramesAndUsage)->Unit(benchmark::kMillisecond);

}  // namespace

// The model is made before the run, so that its size is printed with the
// rest of the context.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    modelOnDisk();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
