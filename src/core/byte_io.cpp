#include "core/byte_io.h"

#include <bit>
#include <cstring>

namespace core {

namespace {

// A value of its type's size from bytes that hold it least significant first,
// and back.
template <class Unsigned>
Unsigned fromLittleEndian(const std::uint8_t* bytes) {
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) value |= static_cast<Unsigned>(bytes[i]) << (8 * i);
    return value;
}

template <class Unsigned>
void toLittleEndian(Unsigned value, std::uint8_t* bytes) {
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void ByteReader::bytes(void* out, std::size_t count) {
    if (count == 0) return;
    if (ok_ && stream_ != nullptr) {
        ok_ = stream_->read(out, count) == count;
    } else if (ok_) {
        ok_ = bytes_.size() >= count;
        if (ok_) {
            std::memcpy(out, bytes_.data(), count);
            bytes_ = bytes_.subspan(count);
        }
    }
    if (!ok_) std::memset(out, 0, count);
}

void ByteReader::skip(std::uint64_t count) {
    if (count == 0 || !ok_) return;
    if (stream_ != nullptr) {
        const std::int64_t at = stream_->position();
        const std::int64_t size = stream_->size();
        ok_ = at >= 0 && at <= size && count <= static_cast<std::uint64_t>(size - at) &&
              stream_->seek(static_cast<std::int64_t>(count), FileStream::FromCurrent) >= 0;
        return;
    }
    ok_ = bytes_.size() >= count;
    if (ok_) bytes_ = bytes_.subspan(static_cast<std::size_t>(count));
}

std::uint8_t ByteReader::u8() {
    std::uint8_t value = 0;
    bytes(&value, 1);
    return value;
}

std::uint16_t ByteReader::u16() {
    std::uint8_t field[2];
    bytes(field, sizeof field);
    return fromLittleEndian<std::uint16_t>(field);
}

std::uint32_t ByteReader::u32() {
    std::uint8_t field[4];
    bytes(field, sizeof field);
    return fromLittleEndian<std::uint32_t>(field);
}

std::int32_t ByteReader::i32() { return static_cast<std::int32_t>(u32()); }

float ByteReader::f32() { return std::bit_cast<float>(u32()); }

void ByteWriter::bytes(const void* data, std::size_t count) {
    if (count == 0 || !ok_) return;
    if (stream_ != nullptr) {
        ok_ = stream_->write(data, count) == count;
        return;
    }
    ok_ = room_.size() >= count;
    if (!ok_) return;
    std::memcpy(room_.data(), data, count);
    room_ = room_.subspan(count);
}

void ByteWriter::u8(std::uint8_t value) { bytes(&value, 1); }

void ByteWriter::u16(std::uint16_t value) {
    std::uint8_t field[2];
    toLittleEndian(value, field);
    bytes(field, sizeof field);
}

void ByteWriter::u32(std::uint32_t value) {
    std::uint8_t field[4];
    toLittleEndian(value, field);
    bytes(field, sizeof field);
}

void ByteWriter::f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }

}  // namespace core
