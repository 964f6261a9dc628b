// Runs skirvane-cli import with arbitrary bytes as the edits file against
// two known-good models, each time for each: a version 29 model with
// materials of every layout and a version 41 model of wide records.
// Whatever the edits, the command must neither crash nor leak, must exit
// with 0 or 1, print nothing on its output and leave the model it read as
// it was (it writes with -o). A refusal (1) is reported on err and writes
// no file; an accepted edit (0) writes a model that loads with the same
// version, material count and remainder.
//
// The materials, by number, which the regression inputs in
// fuzz/corpus/edits_reader/ edit:
//   version 29: 1 every part (SKY.BMP, FIRE00.BMP, MASK.BMP, 4 frames of
//   100 ms), 2 a plain WOOD.BMP with ambient green 1.25, 3 the reflection
//   and alpha bits with empty names, 4 the alpha bit without a diffuse name
//   (0x40040001), 5 LEAF.BMP whose image carries its own alpha, 6 floats
//   outside 0..1, infinities and not-a-number, 7 an animation block of 255
//   frames and the longest delay after WATER.BMP, which has no "00";
//   version 41: 1 distinctWideRecord, 2 the alpha bit without a diffuse
//   name, 3 LAVA00.BMP animated, with a not-a-number specular component.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "model/model_file.h"
#include "model_bytes.h"
#include "scratch_folder.h"

namespace {

using test_support::ModelBytes;
using test_support::RecordBytes;

constexpr std::uint32_t kDiffuseBit = 0x00040000;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "edits_reader_fuzz: %s\n", what);
    __builtin_trap();
}

RecordBytes textured(std::uint32_t flags, std::string diffuseName) {
    RecordBytes record;
    record.flags = flags | kDiffuseBit;
    record.ambient = {0.2F, 0.2F, 0.25F};
    record.diffuse = {0.8F, 0.6F, 0.4F};
    record.density = 1.0F;
    record.diffuseName = std::move(diffuseName);
    return record;
}

ModelBytes narrowModel() {
    RecordBytes everyPart =
        textured(test_support::kReflectionBit | test_support::kAlphaBit | test_support::kAnimationBit | 0x10000000,
                 "FIRE00.BMP");
    everyPart.reflectionDensity = 0.5F;
    everyPart.reflectionName = "SKY.BMP";
    everyPart.alphaName = "MASK.BMP";
    everyPart.animation[0] = 4;
    everyPart.animation[6] = 100;
    RecordBytes wood = textured(0x00008100, "WOOD.BMP");
    wood.ambient[1] = 1.25F;
    wood.density = 0.3F;
    RecordBytes emptyNames;
    emptyNames.flags = test_support::kReflectionBit | test_support::kAlphaBit;
    RecordBytes alphaBitOnly;
    alphaBitOnly.flags = 0x40040001;
    const RecordBytes ownAlpha = textured(test_support::kImageAlphaBit | test_support::kAlphaBit, "LEAF.BMP");
    RecordBytes floats = textured(0, "ROCK.BMP");
    floats.ambient = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -0.0F};
    floats.diffuse = {-1.0F, 2.0F, std::numeric_limits<float>::denorm_min()};
    floats.emission = {-std::numeric_limits<float>::infinity(), 0.5F, 1.0F};
    floats.density = std::numeric_limits<float>::signaling_NaN();
    RecordBytes water = textured(test_support::kAnimationBit, "WATER.BMP");
    water.animation = {255, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 7};  // the longest delay, and a byte beyond it
    ModelBytes model;
    model.version = 29;
    model.records = {everyPart, wood, emptyNames, alphaBitOnly, ownAlpha, floats, water};
    model.remainder = "mesh data follows";
    return model;
}

ModelBytes wideModel() {
    RecordBytes alphaBitOnly;
    alphaBitOnly.flags = 0x40040001;
    alphaBitOnly.glossiness = 1.0F;
    RecordBytes lava = textured(test_support::kAnimationBit, "LAVA00.BMP");
    lava.animation[0] = 8;
    lava.specular = {0.5F, std::numeric_limits<float>::quiet_NaN(), 0.5F, 1.0F};
    ModelBytes model;
    model.version = 41;
    model.records = {test_support::distinctWideRecord(), alphaBitOnly, lava};
    model.remainder = "MESH";
    return model;
}

// A model that every input is imported into, and what it loads as.
struct KnownGood {
    std::string path;
    std::string bytes;
    std::uint16_t version;
    std::int32_t count;
    std::vector<std::uint8_t> remainder;
};

class Workspace {
public:
    Workspace() : models_{knownGood("narrow.4ds", narrowModel()), knownGood("wide.4ds", wideModel())} {}

    void run(const std::string& input) {
        test_support::writeFileBytes(editsPath(), input);
        for (const KnownGood& model : models_) importInto(model);
    }

private:
    std::string editsPath() const { return folder_.file("edits.json"); }
    std::string outputPath() const { return folder_.file("out.4ds"); }

    KnownGood knownGood(const std::string& name, const ModelBytes& description) const {
        KnownGood model{folder_.file(name), test_support::encodeModel(description), description.version, 0, {}};
        test_support::writeFileBytes(model.path, model.bytes);
        model::ModelFile loaded;
        require(loaded.load(model.path), "a known-good model does not load");
        model.count = loaded.materials().count();
        model.remainder.assign(loaded.remainder().begin(), loaded.remainder().end());
        return model;
    }

    void importInto(const KnownGood& model) {
        const std::array<std::string, 5> args{"import", model.path, editsPath(), "-o", outputPath()};
        std::ostringstream out, err;
        const int status = cli::run(args, out, err);
        require(status == 0 || status == 1, "the exit status is neither 0 nor 1");
        require(out.str().empty(), "import printed on its output");
        require(test_support::readFileBytes(model.path) == model.bytes, "the model read was changed");
        if (status == 1) {
            require(!err.str().empty(), "a refusal says nothing");
            require(!std::filesystem::exists(outputPath()), "a refusal wrote the output");
        } else {
            model::ModelFile saved;
            require(saved.load(outputPath()), "the saved model does not load");
            require(saved.version() == model.version, "the saved model has another version");
            require(saved.materials().count() == model.count, "the saved model has another material count");
            require(std::equal(saved.remainder().begin(), saved.remainder().end(), model.remainder.begin(),
                               model.remainder.end()),
                    "the saved model has another remainder");
            std::filesystem::remove(outputPath());
        }
        // The models and the edits, and no temporary file left beside them.
        const auto files = std::distance(std::filesystem::directory_iterator(folder_.path()), {});
        require(files == static_cast<std::ptrdiff_t>(models_.size()) + 1, "a file was left in the folder");
    }

    fuzz_support::ScratchFolder folder_;
    const std::array<KnownGood, 2> models_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace workspace;
    workspace.run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
