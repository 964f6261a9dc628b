// Little-endian fields in file order, read from a file stream or from bytes
// in memory, and written the same ways. A reader or writer remembers its
// first failure: every later step does nothing (a read gives zeros), so
// that the steps of a record run in a row and are checked once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/file_stream.h"

namespace core {

class ByteReader {
public:
    explicit ByteReader(FileStream& stream) : stream_(&stream) {}
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int32_t i32();
    // The float with the four bytes' bits, whatever they are.
    float f32();
    // The next `count` bytes into `out`; zeros when they are not all there.
    void bytes(void* out, std::size_t count);
    // Passes over the next `count` bytes, or fails when fewer are left: a
    // count read from a file is checked here before anything is taken for it.
    void skip(std::uint64_t count);

    // False once a step found fewer bytes than it needed.
    bool ok() const { return ok_; }

private:
    FileStream* stream_ = nullptr;
    std::span<const std::uint8_t> bytes_;  // what is left when there is no stream
    bool ok_ = true;
};

class ByteWriter {
public:
    explicit ByteWriter(FileStream& stream) : stream_(&stream) {}
    explicit ByteWriter(std::span<std::uint8_t> bytes) : room_(bytes) {}

    void u8(std::uint8_t value);
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void f32(float value);
    void bytes(const void* data, std::size_t count);

    // False once a step could not put all its bytes.
    bool ok() const { return ok_; }

private:
    FileStream* stream_ = nullptr;
    std::span<std::uint8_t> room_;  // what is left when there is no stream
    bool ok_ = true;
};

}  // namespace core
