// Reads the frame list from arbitrary bytes and counts where eight
// materials are used. Whatever the input, the reader must neither crash,
// nor read a byte past the input (the sanitizer sees the input's end), nor
// change it; a list read to its end gives uses that name its own frames.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

#include "model/frame_list.h"
#include "model/material_usage.h"

namespace {

constexpr std::int32_t kMaterials = 8;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "frame_list_fuzz: %s\n", what);
    __builtin_trap();
}

// Every use names a frame of the list, an instance an earlier frame, and
// a level that frame has.
void checkUses(const model::MaterialUsage& usage) {
    const std::size_t frames = usage.frames().frames.size();
    for (std::int32_t n = 0; n <= kMaterials + 1; ++n) {
        for (const model::MaterialUse& use : usage.usesOf(n)) {
            require(use.frame >= 1 && use.frame <= frames, "a use names no frame of the list");
            const std::uint16_t source = use.geometryOf != 0 ? use.geometryOf : use.frame;
            require(source <= use.frame, "an instance reuses a later frame");
            require(use.glow || use.level < usage.frame(source).levels.count, "a use names no level of its frame");
        }
        model::totalsOf(usage.usesOf(n));
        usage.usedByFrameNamed(n, "a");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> before(data, data + size);
    const std::span<const std::uint8_t> bytes(data, size);
    for (const std::uint16_t version : {29, 27}) {
        model::FrameList list = model::readFrameList(bytes, version);
        if (list.problem) model::describe(*list.problem);
        const model::MaterialUsage usage(std::move(list), kMaterials);
        require(usage.known() == !usage.frames().problem, "the usage is known exactly when the list read whole");
        checkUses(usage);
    }
    require(model::readFrameList(bytes, 41).problem.has_value(), "a version 41 list was read");
    require(size == 0 || std::memcmp(before.data(), data, size) == 0, "the reader changed its bytes");
    return 0;
}
