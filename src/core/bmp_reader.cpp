#include "core/bmp_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>

#include "core/bmp_run_length.h"
#include "core/byte_block.h"
#include "core/byte_io.h"
#include "core/file_stream.h"

namespace core {

namespace {

constexpr char kCutShort[] = "Unexpected end of file";
constexpr char kUnsupportedFormat[] = "Unsupported bitmap format";
constexpr char kBadWidth[] = "Bitmap width must be > 0";
constexpr char kBadHeight[] = "Bitmap height must be > 0";
constexpr char kTooLarge[] = "Bitmap too large";
constexpr char kUnknownCompression[] = "Unknown compression algorithm";
constexpr char kNoMemory[] = "No memory";

constexpr std::uint16_t kFileMagic = 0x4D42;  // "BM"
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
// The slack allocated after the last stored line.
constexpr std::size_t kSpareBytes = 4;

constexpr std::uint32_t kRedMask565 = 0xF800, kGreenMask565 = 0x7E0, kBlueMask565 = 0x1F;
constexpr std::uint32_t kRedMask555 = 0x7C00, kGreenMask555 = 0x3E0, kBlueMask555 = 0x1F;

void setMasks(HeaderBlock& block, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    block.colors[0] = red;
    block.colors[1] = green;
    block.colors[2] = blue;
}

// Byte `index` of the colour table as it lies in memory (entries are
// blue, green, red, reserved).
void setColorTableByte(HeaderBlock& block, std::size_t index, std::uint8_t value) {
    std::uint32_t& entry = block.colors[index / 4];
    const unsigned shift = 8 * (index % 4);
    entry = (entry & ~(0xFFU << shift)) | static_cast<std::uint32_t>(value) << shift;
}

// The stream a bitmap is read from, with what its file header says (when
// it has one) and where the image began in it.
struct BmpStream {
    FileStream& stream;
    std::int64_t start;
    bool hasFileHeader = false;
    std::uint32_t fileSize = 0;
    std::uint32_t pixelOffset = 0;
    bool coreHeader = false;  // a 12-byte header: colour entries of 3 bytes

    std::int64_t position() { return stream.position(); }
};

// Reads a 40-byte or a 12-byte header into `info`, which is zeroed; a core
// header becomes an info header with its unsigned 16-bit sizes.
bool readInfoHeader(BmpStream& file, InfoHeader& info, std::string& error) {
    ByteReader in(file.stream);
    const std::uint32_t size = in.u32();
    if (!in.ok()) return error = kCutShort, false;
    if (size != kInfoHeaderSize && size != kCoreHeaderSize) return error = kUnsupportedFormat, false;
    std::uint8_t bytes[kInfoHeaderSize - 4];
    in.bytes(bytes, size - 4);
    if (!in.ok()) return error = kCutShort, false;
    ByteReader fields{std::span(bytes, size - 4)};
    info.size = kInfoHeaderSize;
    if (size == kCoreHeaderSize) {
        file.coreHeader = true;
        info.width = fields.u16();
        info.height = fields.u16();
        info.planes = fields.u16();
        info.bitsPerPixel = fields.u16();
        return true;
    }
    info.width = fields.i32();
    info.height = fields.i32();
    info.planes = fields.u16();
    info.bitsPerPixel = fields.u16();
    info.compression = fields.u32();
    info.imageSize = fields.u32();
    info.horizontalResolution = fields.i32();
    info.verticalResolution = fields.i32();
    info.colorsUsed = fields.u32();
    info.colorsImportant = fields.u32();
    return true;
}

// How many bytes of colour table (or masks) to read after the header.
std::int64_t colorTableBytes(BmpStream& file, const InfoHeader& info, PixelFormat format) {
    std::int64_t bytes = 0;
    if (info.bitsPerPixel <= 8) {
        bytes = info.colorsUsed != 0 ? std::int64_t{info.colorsUsed} * 4 : (std::int64_t{1} << info.bitsPerPixel) * 4;
    } else if (format == PixelFormat::FifteenBits || format == PixelFormat::SixteenBits ||
               info.compression == bmp::kBitFields) {
        // Three masks, unless the stream is too short to hold them.
        bytes = 12;
        const std::int64_t size = file.stream.size();
        const auto room = static_cast<std::uint64_t>(size - file.position() - file.fileSize);
        if (size != 0 && room < 12) bytes = 0;
    }
    if (file.coreHeader) bytes = bytes / 4 * 3;

    const std::int64_t tableLimit = file.coreHeader ? 3 * HeaderBlock::kColorCount : 4 * HeaderBlock::kColorCount;
    if (file.hasFileHeader && file.pixelOffset >= 1) {
        // The pixel offset tells how much lies between header and pixels;
        // a palette image takes that, up to a full table.
        const std::uint32_t headersEnd = kFileHeaderSize + (file.coreHeader ? kCoreHeaderSize : kInfoHeaderSize);
        const std::int64_t gap = std::int64_t{file.pixelOffset} - headersEnd;
        if (bytes != gap && format <= PixelFormat::EightBits) bytes = std::min(gap, tableLimit);
    }
    return std::min(bytes, tableLimit);
}

// Reads the colour table or the masks; false only on a short read. Bytes
// between the table and the pixels are passed over by seekToPixels.
bool readColorTable(BmpStream& file, HeaderBlock& block, std::int64_t bytes, std::int64_t imageSize) {
    if (bytes <= 0) return true;
    ByteReader in(file.stream);
    std::uint8_t table[4 * HeaderBlock::kColorCount];
    if (file.coreHeader) {
        for (std::size_t entry = 0; bytes >= 3; ++entry, bytes -= 3) {
            in.bytes(table, 3);
            block.colors[entry] = table[0] | table[1] << 8 | table[2] << 16;
        }
        return in.ok();
    }
    // A stream with no room for both table and pixels has no table.
    const bool compressed = block.info.compression == bmp::kRle8 || block.info.compression == bmp::kRle4;
    if (file.stream.size() - file.position() <= imageSize && !compressed) return true;
    const auto count = static_cast<std::size_t>(bytes);
    in.bytes(table, count);
    if (!in.ok()) return false;
    for (std::size_t i = 0; i < count; ++i) setColorTableByte(block, i, table[i]);
    return true;
}

// The number of pixel bytes the file offers from where the pixels start,
// at most `imageSize` for an uncompressed image.
std::int64_t pixelByteCount(BmpStream& file, const InfoHeader& info, std::int64_t imageSize) {
    if (!file.hasFileHeader) return imageSize;
    if (info.compression == bmp::kRle8 || info.compression == bmp::kRle4) {
        if (file.fileSize > file.pixelOffset) return std::int64_t{file.fileSize} - file.pixelOffset;
        // Writers often leave the file size 0 or wrong; the codes then run
        // to the end of the stream.
        return std::max<std::int64_t>(file.stream.size() - file.position(), 0);
    }
    const std::int64_t size = file.stream.size();
    const std::int64_t fromOffset = size - file.pixelOffset - file.start;
    const std::int64_t count = size != 0 && fromOffset <= std::int64_t{file.fileSize} ? fromOffset : imageSize;
    return std::min(count, imageSize);
}

// The pixels of a file with a file header start at its pixel offset,
// unless that points back into what has been read.
void seekToPixels(BmpStream& file) {
    if (!file.hasFileHeader || file.pixelOffset < 1) return;
    if (file.position() - file.start <= std::int64_t{file.pixelOffset})
        file.stream.seek(file.start + file.pixelOffset, FileStream::FromStart);
}

// Whether the system can draw pixels of this depth in this compression:
// the run-length codes need their own depth, bit fields 16 or 32 bits.
bool drawableDepth(std::uint16_t bitsPerPixel, std::uint32_t compression) {
    switch (compression) {
        case bmp::kRle8:
            return bitsPerPixel == 8;
        case bmp::kRle4:
            return bitsPerPixel == 4;
        case bmp::kBitFields:
            return bitsPerPixel == 16 || bitsPerPixel == 32;
        default:
            return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 16 ||
                   bitsPerPixel == 24 || bitsPerPixel == 32;
    }
}

// Reads run-length encoded pixels from the stream and decodes them into
// the zeroed rows; the stream ends up after the `count` bytes the image
// takes.
bool readRunLengthPixels(BmpStream& file, const InfoHeader& info, std::int64_t count, const bmp::PixelRows& rows) {
    if (info.imageSize >= 1 && info.imageSize < count) count = info.imageSize;
    count = std::max<std::int64_t>(count, 0);
    const std::int64_t end = file.position() + count;
    const std::int64_t left = std::max<std::int64_t>(file.stream.size() - file.position(), 0);
    const auto wanted = static_cast<std::size_t>(std::min({count, left, bmp::kMaxPixelMemory}));
    const ByteBlock input = allocateByteBlock(std::max<std::size_t>(wanted, 1));
    if (!input) return false;
    const std::size_t delivered = file.stream.read(input.get(), wanted);
    if (info.compression == bmp::kRle8)
        bmp::decodeRle8({input.get(), delivered}, rows);
    else
        bmp::decodeRle4({input.get(), delivered}, rows);
    file.stream.seek(end, FileStream::FromStart);
    return true;
}

// The formats with a bit count of their own, in the order a bit count
// finds its format (16 bits are FifteenBits unless bit fields say more).
struct FormatBits {
    PixelFormat format;
    std::uint16_t bits;
};
constexpr FormatBits kFormatBits[] = {
    {PixelFormat::OneBit, 1},         {PixelFormat::FourBits, 4},     {PixelFormat::EightBits, 8},
    {PixelFormat::FifteenBits, 16},   {PixelFormat::SixteenBits, 16}, {PixelFormat::TwentyFourBits, 24},
    {PixelFormat::ThirtyTwoBits, 32},
};

// The bit count a new bitmap of that format has; 0 for formats without one.
std::uint16_t bitsOfFormat(PixelFormat format) {
    for (const FormatBits& entry : kFormatBits)
        if (entry.format == format) return entry.bits;
    return 0;
}

// Takes the size and the line length from the header; false with the
// error text when they are refused.
bool measure(BmpImage& image, std::string& error) {
    const InfoHeader& info = image.header->info;
    if (info.width < 1) return error = kBadWidth, false;
    if (info.height == 0 || info.height == std::numeric_limits<std::int32_t>::min()) return error = kBadHeight, false;
    const std::int32_t height = std::abs(info.height);
    const std::int64_t bytesPerLine = bmp::bytesPerScanLine(info.width, info.bitsPerPixel);
    if (info.width > bmp::kMaxSide || height > bmp::kMaxSide || bytesPerLine * height > bmp::kMaxPixelMemory)
        return error = kTooLarge, false;
    image.width = info.width;
    image.height = height;
    image.bytesPerLine = static_cast<std::int32_t>(bytesPerLine);
    image.pixelMemorySize = static_cast<std::size_t>(bytesPerLine * height);
    return true;
}

// Allocates the pixel memory with its spare bytes; false when memory is
// short.
bool allocatePixels(BmpImage& image, bool zeroFilled, std::string& error) {
    const std::size_t allocated = image.pixelMemorySize + kSpareBytes;
    image.pixels = allocateByteBlock(allocated);
    if (!image.pixels) return error = kNoMemory, false;
    if (zeroFilled) std::memset(image.pixels.get(), 0, allocated);
    return true;
}

bool readImage(FileStream& stream, BmpImage& image, std::string& error) {
    BmpStream file{stream, stream.position()};
    std::uint8_t fileHeader[kFileHeaderSize];
    ByteReader in(stream);
    in.bytes(fileHeader, sizeof fileHeader);
    if (!in.ok()) return error = kCutShort, false;
    ByteReader fileFields{std::span(fileHeader)};
    if (fileFields.u16() == kFileMagic) {
        file.hasFileHeader = true;
        file.fileSize = fileFields.u32();
        fileFields.u32();  // reserved
        file.pixelOffset = fileFields.u32();
    } else {
        stream.seek(file.start, FileStream::FromStart);
    }

    image.header = std::make_unique<HeaderBlock>();
    HeaderBlock& header = *image.header;
    InfoHeader& info = header.info;
    if (!readInfoHeader(file, info, error)) return false;
    image.format = bmp::formatOfBitCount(std::uint32_t{info.planes} * info.bitsPerPixel);
    if (!measure(image, error)) return false;
    if (info.compression > bmp::kBitFields) return error = kUnknownCompression, false;
    if (!drawableDepth(info.bitsPerPixel, info.compression)) return error = kUnsupportedFormat, false;
    const bool runLength = info.compression == bmp::kRle8 || info.compression == bmp::kRle4;
    if (!allocatePixels(image, runLength, error)) return false;
    const auto imageSize = static_cast<std::int64_t>(image.pixelMemorySize);

    std::int64_t tableBytes = colorTableBytes(file, info, image.format);
    if (image.format == PixelFormat::FifteenBits || image.format == PixelFormat::SixteenBits) {
        if (info.compression == bmp::kBitFields)
            setMasks(header, kRedMask565, kGreenMask565, kBlueMask565);
        else
            tableBytes = 0;
    }
    if (!readColorTable(file, header, tableBytes, imageSize)) return error = kCutShort, false;

    seekToPixels(file);
    const std::int64_t count = pixelByteCount(file, info, imageSize);
    std::uint8_t* const pixels = image.pixels.get();
    if (runLength) {
        if (!readRunLengthPixels(file, info, count, {pixels, image.bytesPerLine, image.width, image.height}))
            return error = kNoMemory, false;
        info.compression = bmp::kNoCompression;
    } else {
        // What the file does not hold stays zero.
        const std::size_t delivered = stream.read(pixels, static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
        std::memset(pixels + delivered, 0, image.pixelMemorySize + kSpareBytes - delivered);
    }

    // The header now describes the pixel memory exactly, and never names
    // more colours than the block holds after the masks.
    info.imageSize = static_cast<std::uint32_t>(image.pixelMemorySize);
    const std::uint32_t colorRoom = HeaderBlock::kColorCount - (info.compression == bmp::kBitFields ? 3 : 0);
    info.colorsUsed = std::min(info.colorsUsed, colorRoom);
    image.fileBitsPerPixel = info.bitsPerPixel;
    return true;
}

}  // namespace

// --- Plain rules -----------------------------------------------------------

namespace bmp {

std::int64_t bytesPerScanLine(std::int64_t width, std::int64_t bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 8) & ~std::int64_t{3};
}

PixelFormat formatOfBitCount(std::uint32_t planesTimesBits) {
    for (const FormatBits& entry : kFormatBits)
        if (entry.bits == planesTimesBits) return entry.format;
    return PixelFormat::Custom;
}
}  // namespace bmp

// --- Images ------------------------------------------------------------------

PixelFormat BmpImage::pixelFormat() const {
    if (header == nullptr || header->info.compression != bmp::kBitFields) return format;
    const auto& masks = header->colors;
    if (masks[0] == kRedMask565 && masks[1] == kGreenMask565 && masks[2] == kBlueMask565)
        return PixelFormat::SixteenBits;
    if (masks[0] == kRedMask555 && masks[1] == kGreenMask555 && masks[2] == kBlueMask555)
        return PixelFormat::FifteenBits;
    return PixelFormat::Custom;
}

BmpImage readBmp(FileStream& stream, std::string& error) { return readOrGoBack(stream, error, readImage); }

BmpImage readOrGoBack(FileStream& stream, std::string& error, ImageSteps read) {
    error.clear();
    const std::int64_t start = stream.position();
    BmpImage image;
    if (read(stream, image, error)) return image;
    stream.seek(start, FileStream::FromStart);
    return {};
}

BmpImage newBmpImage(std::int32_t width, std::int32_t height, PixelFormat format, std::string& error) {
    error.clear();
    if (width == 0 || height == 0) return {};
    if (height < 0) return error = kBadHeight, BmpImage{};
    const std::uint16_t bits = bitsOfFormat(format);
    if (bits == 0) return error = kUnsupportedFormat, BmpImage{};
    BmpImage image;
    image.header = std::make_unique<HeaderBlock>();
    InfoHeader& info = image.header->info;
    info.size = kInfoHeaderSize;
    info.width = width;
    info.height = height;
    info.planes = 1;
    info.bitsPerPixel = bits;
    if (format == PixelFormat::SixteenBits) {
        info.compression = bmp::kBitFields;
        setMasks(*image.header, kRedMask565, kGreenMask565, kBlueMask565);
    } else if (format == PixelFormat::FifteenBits) {
        info.compression = bmp::kBitFields;
        setMasks(*image.header, kRedMask555, kGreenMask555, kBlueMask555);
    }
    if (!measure(image, error) || !allocatePixels(image, true, error)) return {};
    info.imageSize = static_cast<std::uint32_t>(image.pixelMemorySize);
    image.format = format;
    image.fileBitsPerPixel = bits;
    return image;
}

}  // namespace core
