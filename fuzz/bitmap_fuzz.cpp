// Reads BMP and TGA images made of arbitrary bytes from a stream, each
// input with both readers. Whatever the input, reading must neither crash
// nor leak nor allocate past the readers' limits. A refused input must give
// no image, a reason and the stream where it was; a read one must have
// pixel memory for every line it reports, which walking all of it checks
// under the address sanitizer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/bmp_reader.h"
#include "core/file_stream.h"
#include "core/image_reader.h"
#include "core/object.h"
#include "model_bytes.h"
#include "scratch_folder.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "bitmap_fuzz: %s\n", what);
    __builtin_trap();
}

// Where the pixel walk leaves its sum, so that the reads cannot be left out.
volatile unsigned pixelSum;

// Reads every byte of the pixel memory, the spare bytes after the lines
// included.
unsigned walkPixels(const core::BmpImage& image) {
    unsigned sum = 0;
    const std::uint8_t* pixels = image.pixels.get();
    for (std::size_t i = 0; i < image.pixelMemorySize + 4; ++i) sum += pixels[i];
    return sum;
}

// Reads each input from a file of the scratch folder.
class Workspace {
public:
    void run(const std::string& input) {
        const std::string path = folder_.file("input.img");
        test_support::writeFileBytes(path, input);
        for (const core::ImageFormat format : {core::ImageFormat::Bmp, core::ImageFormat::Tga}) read(path, format);
    }

private:
    static void read(const std::string& path, core::ImageFormat format) {
        core::Ref<core::FileStream> stream = core::openFileForReading(path);
        std::string error;
        const core::BmpImage image = core::readImage(*stream, format, error);
        if (!error.empty()) {
            require(image.header == nullptr && image.pixels == nullptr && image.width == 0 && image.height == 0,
                    "a refused input left an image");
            require(stream->position() == 0, "a refused input moved the stream");
            return;
        }
        require(image.header != nullptr && image.pixels != nullptr, "a read input has no header or no pixels");
        require(image.width >= 1 && image.height >= 1, "a read input is empty");
        require(image.width <= core::bmp::kMaxSide && image.height <= core::bmp::kMaxSide,
                "a read side is above the limit");
        require(image.pixelMemorySize ==
                    static_cast<std::size_t>(image.bytesPerLine) * static_cast<std::size_t>(image.height),
                "the pixel memory does not match the lines");
        require(image.pixelMemorySize <= static_cast<std::size_t>(core::bmp::kMaxPixelMemory),
                "the pixel memory is above the limit");
        pixelSum = walkPixels(image);
    }

    fuzz_support::ScratchFolder folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace workspace;
    workspace.run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
