// Loads bitmaps made of arbitrary bytes from a stream. Whatever the input,
// loading must neither crash nor leak nor allocate past the loader's
// limits. A refused input must leave the bitmap empty and the stream where
// it was; a loaded one must have pixel memory for every line it reports,
// which walking all of it checks under the address sanitizer.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "model_bytes.h"
#include "toolkit/base/file_stream.h"
#include "toolkit/base/object.h"
#include "toolkit/bitmap/bitmap.h"

namespace {

namespace fs = std::filesystem;

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

// A folder of this process's own, in memory when the system has /dev/shm,
// removed with its files when the process ends.
class Workspace {
public:
    Workspace() {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::path("/tmp");
        folder_ = base / ("skirvane-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(folder_);  // left by an earlier process with the same id
        fs::create_directory(folder_);
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    void run(const std::string& input) {
        const std::string path = (folder_ / "input.bmp").string();
        test_support::writeFileBytes(path, input);
        toolkit::Ref<toolkit::FileStream> stream = toolkit::openFileForReading(path);
        toolkit::Ref<toolkit::Bitmap> bitmap = toolkit::create<toolkit::Bitmap>();
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
    fs::path folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace workspace;
    workspace.run(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
