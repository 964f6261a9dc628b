// Loads bitmaps made of arbitrary bytes from a stream. Whatever the input,
// loading must neither crash nor leak nor allocate past the loader's
// limits. A refused input must leave the bitmap empty and the stream where
// it was; a loaded one must have pixel memory for every line it reports,
// which walking all of it checks under the address sanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/file_stream.h"
#include "core/object.h"
#include "model_bytes.h"
#include "scratch_folder.h"
#include "toolkit/bitmap/bitmap.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "bitmap_fuzz: %s\n", what);
    __builtin_trap();
}

// Where the pixel walk leaves its sum, so that the reads cannot be left out.
volatile unsigned pixelSum;

// Reads every byte of the pixel memory and of every scan line.
unsigned walkPixels(toolkit::Bitmap& bitmap) {
    unsigned sum = 0;
    const std::uint8_t* pixels = bitmap.pixels();
    for (std::size_t i = 0; i < bitmap.pixelMemorySize(); ++i) sum += pixels[i];
    const auto lineBytes = static_cast<std::size_t>(bitmap.bytesPerScanLine());
    for (std::int32_t y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* line = bitmap.scanLine(y);
        require(line != nullptr, "a row inside the picture has no scan line");
        for (std::size_t x = 0; x < lineBytes; ++x) sum += line[x];
    }
    return sum;
}

// Loads each input from a file of the scratch folder.
class Workspace {
public:
    void run(const std::string& input) {
        const std::string path = folder_.file("input.bmp");
        test_support::writeFileBytes(path, input);
        core::Ref<core::FileStream> stream = core::openFileForReading(path);
        core::Ref<toolkit::Bitmap> bitmap = core::create<toolkit::Bitmap>();
        if (!bitmap->loadFromStream(*stream)) {
            require(bitmap->isEmpty() && bitmap->pixels() == nullptr, "a refused input left an image");
            require(stream->position() == 0, "a refused input moved the stream");
            require(!bitmap->lastError().empty(), "a refused input gave no reason");
            return;
        }
        require(!bitmap->isEmpty(), "a loaded input is empty");
        require(bitmap->width() <= toolkit::bmp::kMaxSide && bitmap->height() <= toolkit::bmp::kMaxSide,
                "a loaded side is above the limit");
        require(bitmap->pixelMemorySize() ==
                    static_cast<std::size_t>(bitmap->bytesPerScanLine()) * static_cast<std::size_t>(bitmap->height()),
                "the pixel memory does not match the lines");
        require(bitmap->pixelMemorySize() <= static_cast<std::size_t>(toolkit::bmp::kMaxPixelMemory),
                "the pixel memory is above the limit");
        pixelSum = walkPixels(*bitmap);
    }

private:
    fuzz_support::ScratchFolder folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace workspace;
    workspace.run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
