#include "core/byte_io.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "core/file_stream.h"
#include "core/object.h"
#include "model_bytes.h"
#include "temp_folder.h"

namespace {

using core::ByteReader;
using core::ByteWriter;
using core::Ref;

// One of each field, in file order: 1 + 2 + 4 + 4 + 4 + 3 bytes.
const std::string kFields(
    "\x7F"
    "\x34\x12"
    "\x78\x56\x34\x12"
    "\xFE\xFF\xFF\xFF"
    "\x01\x00\xC0\x7F"  // a not-a-number with a payload
    "abc",
    18);
constexpr std::uint32_t kNanBits = 0x7FC00001;

std::span<const std::uint8_t> spanOf(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// Reads kFields' values and checks them.
void expectFields(ByteReader& reader) {
    EXPECT_EQ(reader.u8(), 0x7F);
    EXPECT_EQ(reader.u16(), 0x1234);
    EXPECT_EQ(reader.u32(), 0x12345678U);
    EXPECT_EQ(reader.i32(), -2);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(reader.f32()), kNanBits);
    char run[3];
    reader.bytes(run, sizeof run);
    EXPECT_EQ(std::string(run, sizeof run), "abc");
    EXPECT_TRUE(reader.ok());
}

// After the first short step every step gives zeros, even one that would
// fit, and the reader stays failed.
void expectStickyFailure(ByteReader& reader) {
    EXPECT_EQ(reader.u16(), 0);
    EXPECT_FALSE(reader.ok());
    EXPECT_EQ(reader.u8(), 0);
    EXPECT_FALSE(reader.ok());
}

class ByteIoTest : public ::testing::Test {
protected:
    Ref<core::FileStream> readStream(const std::string& bytes) {
        test_support::writeFileBytes(path_, bytes);
        return core::openFileForReading(path_);
    }

    test_support::TempFolder folder_;
    const std::string path_ = folder_.file("fields");
};

TEST_F(ByteIoTest, ReaderTakesFieldsInFileOrderFromBytesAndFromAStream) {
    const std::string oneMore = kFields + "\x01";
    ByteReader fromBytes(spanOf(oneMore));
    expectFields(fromBytes);
    expectStickyFailure(fromBytes);

    Ref<core::FileStream> stream = readStream(oneMore);
    ByteReader fromStream(*stream);
    expectFields(fromStream);
    expectStickyFailure(fromStream);
    // The short step took the last byte; nothing after it reads on.
    EXPECT_EQ(stream->position(), static_cast<std::int64_t>(kFields.size() + 1));
}

// A skip as long as what is left passes it; one byte more fails and
// nothing after it reads on.
TEST_F(ByteIoTest, SkipPassesOverBytesThatAreThereAndFailsOtherwise) {
    Ref<core::FileStream> stream = readStream(kFields);
    ByteReader fromStream(*stream);
    ByteReader fromBytes(spanOf(kFields));
    for (ByteReader* reader : {&fromStream, &fromBytes}) {
        reader->skip(3);
        EXPECT_EQ(reader->u32(), 0x12345678U);
        reader->skip(8);
        reader->skip(0);
        EXPECT_EQ(reader->u8(), 'a');
        reader->skip(2);
        EXPECT_TRUE(reader->ok());
        reader->skip(1);
        EXPECT_FALSE(reader->ok());
    }
    ByteReader huge(spanOf(kFields));
    huge.skip(UINT64_MAX);
    EXPECT_FALSE(huge.ok());
    EXPECT_EQ(huge.u8(), 0);
}

TEST_F(ByteIoTest, WriterPutsFieldsAsTheReaderTakesThem) {
    const auto writeFields = [](ByteWriter& writer) {
        writer.u8(0x7F);
        writer.u16(0x1234);
        writer.u32(0x12345678);
        writer.u32(0xFFFFFFFE);
        writer.f32(std::bit_cast<float>(kNanBits));
        writer.bytes("abc", 3);
    };
    {
        Ref<core::FileStream> stream = core::createFileForWriting(path_);
        ByteWriter toStream(*stream);
        writeFields(toStream);
        EXPECT_TRUE(toStream.ok());
    }
    EXPECT_EQ(test_support::readFileBytes(path_), kFields);

    // Room for all but the last byte: the step that does not fit writes
    // nothing, and nothing after it is written either.
    std::array<std::uint8_t, 18> room{};
    room.fill(0xEE);
    ByteWriter toBytes(std::span(room.data(), 17));
    writeFields(toBytes);
    EXPECT_FALSE(toBytes.ok());
    toBytes.u8(1);
    EXPECT_EQ(std::string(room.begin(), room.begin() + 15), kFields.substr(0, 15));
    EXPECT_EQ(std::string(room.begin() + 15, room.end()), "\xEE\xEE\xEE");

    Ref<core::FileStream> readOnly = readStream("");
    ByteWriter refused(*readOnly);
    refused.u8(1);
    EXPECT_FALSE(refused.ok());
}

}  // namespace
