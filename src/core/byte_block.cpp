#include "core/byte_block.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace core {

void FreeByteBlock::operator()(std::uint8_t* block) const { std::free(block); }

ByteBlock allocateByteBlock(std::size_t size) {
#ifdef __linux__
    constexpr std::size_t kHugePage = 2 * 1024 * 1024;
    if (size >= kHugePage) {
        const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        void* memory = std::aligned_alloc(kHugePage, rounded);
        if (memory != nullptr) madvise(memory, rounded, MADV_HUGEPAGE);
        return ByteBlock(static_cast<std::uint8_t*>(memory));
    }
#endif
    return ByteBlock(static_cast<std::uint8_t*>(std::malloc(size)));
}

}  // namespace core
