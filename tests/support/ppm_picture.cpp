#include "ppm_picture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace test_support {

namespace {

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16}) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, std::abs(difference));
    }
    return largest;
}

}  // namespace

Picture readPpm(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int maximum = 0;
    Picture picture;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();  // the one white-space character before the pixels
    if (!in || magic != "P6" || maximum != 255 || picture.width <= 0 || picture.height <= 0) return {};
    const std::vector<unsigned char> rgb((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t count = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (rgb.size() / 3 < count) return {};
    picture.pixels.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        picture.pixels.push_back(static_cast<std::uint32_t>(rgb[3 * i]) << 16 |
                                 static_cast<std::uint32_t>(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2]);
    return picture;
}

std::string pictureDifferences(const Picture& drawn, const Picture& expected, int tolerance, int left, int top) {
    int count = 0;
    std::ostringstream first;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const int drawnX = left + x;
            const int drawnY = top + y;
            const bool inside = drawnX >= 0 && drawnY >= 0 && drawnX < drawn.width && drawnY < drawn.height;
            if (inside && channelDifference(drawn.at(drawnX, drawnY), expected.at(x, y)) <= tolerance) continue;
            if (count++ > 0) continue;
            first << "at " << x << "," << y << std::hex << " drew ";
            if (inside)
                first << drawn.at(drawnX, drawnY);
            else
                first << "nothing";
            first << " not " << expected.at(x, y);
        }
    }
    if (count == 0) return {};
    return std::to_string(count) + " pixels differ, first " + first.str();
}

}  // namespace test_support
