// Builds 4DS files byte by byte from a description, independently of the
// model code, so that tests can compare what the model reads and writes
// with what the format says.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace test_support {

// One material record as its fields. The optional parts are encoded when
// their flag bits are set: the reflection block (0x00080000), the alpha name
// (0x40000000) and the animation block (0x04000000).
struct RecordBytes {
    std::uint32_t flags = 0;
    std::array<float, 3> ambient{};
    std::array<float, 3> diffuse{};
    std::array<float, 3> emission{};
    float density = 0;
    float reflectionDensity = 0;
    std::string reflectionName;
    std::string diffuseName;
    std::string alphaName;
    std::array<std::uint8_t, 18> animation{};
};

constexpr std::uint32_t kReflectionBit = 0x00080000;
constexpr std::uint32_t kAlphaBit = 0x40000000;
constexpr std::uint32_t kAnimationBit = 0x04000000;

std::string encodeRecord(const RecordBytes& record);

// A plain white material with these texture names, each stored (its flag
// bit set) when it is not empty.
RecordBytes recordWithNames(const std::string& reflectionName, const std::string& diffuseName,
                            const std::string& alphaName);

// Header ("4DS", a zero, the version, eight more bytes), the count, the
// records and the remainder.
struct ModelBytes {
    std::uint16_t version = 29;
    std::array<std::uint8_t, 8> headerTail{1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<RecordBytes> records;
    std::string remainder;
};

std::string encodeModel(const ModelBytes& model);

// The file as a saved copy of it must look: bytes 6..13 become 0xFF.
std::string withSavedHeader(std::string fileBytes);

// A record with random flags (named and unnamed bits), random float bit
// patterns and names of random lengths (0..255) in code page 1251, with
// every optional part's bit set now and then with an empty name.
RecordBytes randomRecord(std::mt19937& random);
// Random bytes shaped like mesh data: floats and small indices.
std::string meshLikeBytes(std::mt19937& random, std::size_t size);

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

}  // namespace test_support
