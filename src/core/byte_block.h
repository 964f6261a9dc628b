// Owned blocks of bytes for large data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace core {

// Releases a ByteBlock.
struct FreeByteBlock {
    void operator()(std::uint8_t* block) const;
};
// Owned bytes for large data (a model's remainder, pixels).
using ByteBlock = std::unique_ptr<std::uint8_t[], FreeByteBlock>;
// An uninitialised block of `size` bytes, or an empty one when there is not
// enough memory. Large blocks come in huge pages where the system offers
// them: fresh memory otherwise costs a page fault per 4 KiB, which for a
// large block takes longer than reading it from a file.
ByteBlock allocateByteBlock(std::size_t size);

}  // namespace core
