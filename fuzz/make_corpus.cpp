// Writes the regression inputs of model_file_fuzz: models that load, from
// the smallest to ones with every optional part, unusual flags, names and
// floats, and files that must be refused because they lack the magic or end
// early. Usage: make-fuzz-corpus FOLDER
#include <cstdio>
#include <exception>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model_bytes.h"

namespace {

using test_support::encodeModel;
using test_support::ModelBytes;
using test_support::RecordBytes;

constexpr std::uint32_t kDiffuseBit = 0x00040000;

struct Input {
    std::string name;
    std::string bytes;
};

ModelBytes modelOf(std::vector<RecordBytes> records, std::string remainder = {}) {
    ModelBytes model;
    model.records = std::move(records);
    model.remainder = std::move(remainder);
    return model;
}

RecordBytes textured(std::uint32_t flags, std::string diffuseName) {
    RecordBytes record;
    record.flags = flags | kDiffuseBit;
    record.ambient = {0.2F, 0.2F, 0.25F};
    record.diffuse = {0.8F, 0.6F, 0.4F};
    record.emission = {0.0F, 0.0F, 0.1F};
    record.density = 1.0F;
    record.diffuseName = std::move(diffuseName);
    return record;
}

RecordBytes withEveryPart() {
    RecordBytes record =
        textured(test_support::kReflectionBit | test_support::kAlphaBit | test_support::kAnimationBit | 0x10000000,
                 "FIRE00.BMP");
    record.reflectionDensity = 0.5F;
    record.reflectionName = "SKY.BMP";
    record.alphaName = "MASK.BMP";
    for (std::size_t i = 0; i < record.animation.size(); ++i) record.animation[i] = static_cast<std::uint8_t>(i + 1);
    return record;
}

std::vector<Input> loadableInputs() {
    std::vector<Input> inputs;
    const auto add = [&inputs](std::string name, const ModelBytes& model) {
        inputs.push_back({std::move(name), encodeModel(model)});
    };
    add("no-materials.4ds", modelOf({}));
    add("no-materials-with-remainder.4ds", modelOf({}, "remainder bytes"));
    add("shortest-record.4ds", modelOf({RecordBytes{}}));
    add("plain-diffuse.4ds", modelOf({textured(0, "WOOD.BMP")}, "mesh"));

    RecordBytes reflection = textured(test_support::kReflectionBit, "WOOD.BMP");
    reflection.reflectionDensity = 0.3F;
    reflection.reflectionName = "SKY.BMP";
    RecordBytes alpha = textured(test_support::kAlphaBit | 0x02000000, "WOOD.BMP");
    alpha.alphaName = "MASK.BMP";
    RecordBytes animated = textured(test_support::kAnimationBit, "FIRE00.BMP");
    animated.animation[0] = 4;
    animated.animation[6] = 100;
    add("reflection-alpha-animation.4ds", modelOf({reflection, alpha, animated}, "mesh"));
    add("every-part.4ds", modelOf({withEveryPart()}));

    // The bits of the reflection block and the alpha name with zero-length
    // names, and every bit of the word set.
    RecordBytes emptyNames;
    emptyNames.flags = test_support::kReflectionBit | test_support::kAlphaBit;
    RecordBytes allBits = withEveryPart();
    allBits.flags = 0xFFFFFFFF;
    add("empty-optional-names.4ds", modelOf({emptyNames}));
    add("every-flag-bit.4ds", modelOf({allBits}));

    // Real files' layouts: the alpha bit with an empty diffuse name stores
    // no alpha name, nor does a diffuse image with its own alpha; versions
    // 41 and 42 have the wide fixed part (and read alike, so one will do).
    RecordBytes alphaBitOnly;
    alphaBitOnly.flags = 0x40040001;
    RecordBytes reflectionAndAlphaBit = textured(0x40889101, "");
    reflectionAndAlphaBit.reflectionName = "CHROME.BMP";
    RecordBytes ownAlpha = textured(test_support::kImageAlphaBit | test_support::kAlphaBit, "LEAF.BMP");
    add("alpha-bit-without-names.4ds", modelOf({alphaBitOnly, reflectionAndAlphaBit, ownAlpha}, "mesh"));
    ModelBytes wide =
        modelOf({test_support::distinctWideRecord(), withEveryPart(), alphaBitOnly, textured(0, "WOOD.BMP")}, "mesh");
    wide.version = 41;
    add("wide-records-41.4ds", wide);

    RecordBytes longNames = withEveryPart();
    longNames.reflectionName = std::string(255, '\xDF');
    longNames.diffuseName = std::string(254, 'A') + "|";
    longNames.alphaName = std::string(1, '\0');
    add("longest-names.4ds", modelOf({longNames}));

    RecordBytes floats = textured(0, "WOOD.BMP");
    floats.ambient = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -0.0F};
    floats.diffuse = {-1.0F, 2.0F, std::numeric_limits<float>::denorm_min()};
    floats.density = std::numeric_limits<float>::signaling_NaN();
    add("unusual-floats.4ds", modelOf({floats}));

    ModelBytes oddHeader = modelOf({textured(0, "WOOD.BMP")});
    oddHeader.version = 0xFFFF;
    oddHeader.headerTail.fill(0xFF);
    add("odd-header.4ds", oddHeader);

    add("many-materials.4ds", modelOf(std::vector<RecordBytes>(300, textured(0, "BRICK.BMP")), "end"));

    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937 random(seed);
        std::vector<RecordBytes> records;
        for (int n = 0; n < 3; ++n) records.push_back(test_support::randomRecord(random));
        add("random-" + std::to_string(seed) + ".4ds", modelOf(records, test_support::meshLikeBytes(random, 256)));
    }
    return inputs;
}

// Files that must be refused: no magic, or an end inside the header or the
// material section.
std::vector<Input> refusedInputs() {
    const std::string everyPart = encodeModel(modelOf({withEveryPart()}));
    std::string count5 = encodeModel(modelOf({}));
    count5[14] = 5;
    ModelBytes wide = modelOf({withEveryPart()});
    wide.version = 41;
    const std::string wideBytes = encodeModel(wide);
    std::string spaceMagic = everyPart;
    spaceMagic[3] = ' ';
    return {
        {"empty-file.4ds", ""},
        {"three-bytes.4ds", everyPart.substr(0, 3)},
        {"magic-only.4ds", everyPart.substr(0, 4)},
        {"header-without-count.4ds", everyPart.substr(0, 14)},
        {"half-a-count.4ds", everyPart.substr(0, 15)},
        {"magic-with-space.4ds", spaceMagic},
        {"count-without-records.4ds", count5},
        {"end-inside-a-name.4ds", everyPart.substr(0, everyPart.size() - 25)},
        {"end-inside-the-animation.4ds", everyPart.substr(0, everyPart.size() - 5)},
        {"end-inside-a-wide-fixed-part.4ds", wideBytes.substr(0, 16 + 60)},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-fuzz-corpus FOLDER\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        for (const std::vector<Input>& group : {loadableInputs(), refusedInputs()})
            for (const Input& input : group)
                test_support::writeFileBytes((std::filesystem::path(argv[1]) / input.name).string(), input.bytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-fuzz-corpus: %s\n", error.what());
        return 1;
    }
    return 0;
}
