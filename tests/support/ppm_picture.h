// Pictures as the tests compare them: rows of 0x00RRGGBB pixels, top row
// first; and the binary PPM files (P6, 8 bits per channel) that the test
// data holds as the reference renderings of its images.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, width * height of them

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// An empty picture when the file is missing, is no P6 file with a maximum
// of 255, or holds fewer pixels than its header gives.
Picture readPpm(const std::filesystem::path& file);

// Empty when `drawn` shows `expected` with its top-left corner at (left,
// top), every channel within `tolerance`; otherwise the count of differing
// pixels and the first of them. Pixels outside `drawn` count as differing.
std::string pictureDifferences(const Picture& drawn, const Picture& expected, int tolerance, int left = 0,
                               int top = 0);

}  // namespace test_support
