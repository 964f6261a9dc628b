// Opens and saves model files made of arbitrary bytes. Whatever the input,
// loading must neither crash nor leak. A file that loads must save as the
// same bytes except bytes 6..13, which become 0xFF: opening and saving a
// model without edits changes nothing else. A file that is refused must
// leave the model that was open before as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "model/model_file.h"
#include "model_bytes.h"
#include "scratch_folder.h"

namespace {

using test_support::withSavedHeader;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "model_file_fuzz: %s\n", what);
    __builtin_trap();
}

// The model that is open whenever an input comes: two materials with every
// optional part between them and a remainder.
std::string knownGoodModel() {
    test_support::ModelBytes model;
    model.version = 7;
    test_support::RecordBytes shiny;
    shiny.flags = 0x00040000 | test_support::kReflectionBit | test_support::kAlphaBit;
    shiny.diffuse = {0.5F, 0.25F, 1.0F};
    shiny.reflectionDensity = 0.75F;
    shiny.reflectionName = "SKY.BMP";
    shiny.diffuseName = "METAL.BMP";
    shiny.alphaName = "MASK.BMP";
    test_support::RecordBytes fire;
    fire.flags = 0x00040000 | test_support::kAnimationBit;
    fire.diffuseName = "FIRE00.BMP";
    fire.animation[0] = 4;
    fire.animation[6] = 100;
    model.records = {shiny, fire};
    model.remainder = "mesh data follows";
    return test_support::encodeModel(model);
}

// The open model and the files of the inputs.
class Workspace {
public:
    Workspace() {
        test_support::writeFileBytes(knownGoodPath(), knownGoodBytes_);
        require(model_.load(knownGoodPath()), "the known-good model does not load");
    }

    void run(const std::string& input) {
        test_support::writeFileBytes(inputPath(), input);
        if (model_.load(inputPath())) {
            requireSavedAs(withSavedHeader(input), "the saved file differs from the input outside bytes 6..13");
            require(model_.load(knownGoodPath()), "the known-good model no longer loads");
        } else {
            requireSavedAs(withSavedHeader(knownGoodBytes_), "a refused file changed the open model");
        }
    }

private:
    std::string inputPath() const { return folder_.file("input.4ds"); }
    std::string savedPath() const { return folder_.file("saved.4ds"); }
    std::string knownGoodPath() const { return folder_.file("known-good.4ds"); }

    void requireSavedAs(const std::string& expected, const char* what) const {
        require(model_.save(savedPath()), "saving failed");
        require(test_support::readFileBytes(savedPath()) == expected, what);
    }

    fuzz_support::ScratchFolder folder_;
    const std::string knownGoodBytes_ = knownGoodModel();
    model::ModelFile model_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace workspace;
    workspace.run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
