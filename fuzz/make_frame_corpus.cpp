// Writes the regression inputs of frame_list_fuzz: lists with every kind
// of frame and every ending real files have, and lists each reason to stop
// ends in. Usage: make-frame-corpus FOLDER
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "frame_bytes.h"
#include "model_bytes.h"

namespace {

using namespace test_support;

struct Input {
    std::string name;
    std::string bytes;
};

std::vector<Input> inputs() {
    const std::string whole = frameList(everyKindOfFrame(), ListEnding::Nothing);
    const std::string body = meshFrame({"body"}, {{3, {{1, 1}}}});
    MorphBytes ambiguous;
    ambiguous.regionByte = 0;
    std::string manyVertices = occluderFrame({"wall"}, 0, 0);
    manyVertices.replace(manyVertices.size() - 8, 4, "\xFF\xFF\xFF\xFF");
    return {
        {"every-kind-with-the-flag-byte", frameList(everyKindOfFrame())},
        {"every-kind-without-the-flag-byte", whole},
        {"every-kind-with-two-zero-bytes", frameList(everyKindOfFrame(), ListEnding::TwoZeroBytes)},
        {"every-kind-with-bytes-after", frameList(everyKindOfFrame(), ListEnding::FlagByteAndMore)},
        {"no-frames", frameList({})},
        {"stop-at-a-light", frameList({body, bareFrame({"sun"}, 2)})},
        {"stop-at-a-projector", frameList({body, bareFrame({"p"}, 1, 7)})},
        {"stop-at-an-ambiguous-morph", frameList({morphFrame({"flag"}, {{3, {{1, 1}}}}, ambiguous)})},
        {"stop-in-the-last-material-number", whole.substr(0, whole.size() - 1)},
        {"stop-at-a-vertex-count-past-the-end", frameList({manyVertices})},
        {"one-byte", "\x01"},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-frame-corpus FOLDER\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        for (const Input& input : inputs())
            writeFileBytes((std::filesystem::path(argv[1]) / input.name).string(), input.bytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-frame-corpus: %s\n", error.what());
        return 1;
    }
    return 0;
}
