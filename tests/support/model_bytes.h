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

// One material record as its fields. The optional parts are encoded as
// real files hold them: the reflection block when 0x00080000 is set, the
// alpha name when 0x40000000 is set, 0x01000000 is clear and the diffuse
// name is not empty, and the animation block when 0x04000000 is set.
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
    // Only in the 76-byte fixed part of versions 41 and 42.
    float ambientFourth = 0;
    float diffuseFourth = 0;
    float emissionFourth = 0;
    std::array<float, 4> specular{};
    float glossiness = 0;
};

constexpr std::uint32_t kReflectionBit = 0x00080000;
constexpr std::uint32_t kAlphaBit = 0x40000000;
constexpr std::uint32_t kAnimationBit = 0x04000000;
constexpr std::uint32_t kImageAlphaBit = 0x01000000;

// Whether the record's alpha name is in its bytes.
bool storesAlphaName(const RecordBytes& record);
// The record in the layout of a model of this version.
std::string encodeRecord(const RecordBytes& record, std::uint16_t version = 29);

// A plain white material with these texture names, each stored (its flag
// bit set) when it is not empty.
RecordBytes recordWithNames(const std::string& reflectionName, const std::string& diffuseName,
                            const std::string& alphaName);

// A record with all three names (ENV.BMP, GLASS.BMP, GLASS+.BMP) and a
// distinct value in every float of the wide layout: 0.01, 0.02 and so on
// in file order, the glossiness 42.5.
RecordBytes distinctWideRecord();

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

// Empty when a saved file holds the model; otherwise where it first
// differs: the offset, and the material's record as expected and as
// written, in hexadecimal.
std::string savedFileDifference(const ModelBytes& model, const std::string& written);

// A record with random flags (named and unnamed bits), random float bit
// patterns and names of random lengths (0..255) in code page 1251, with
// every optional part's bit set now and then with an empty name, and
// random fields of the wide layout. Its alpha name is empty when the record
// does not store it.
RecordBytes randomRecord(std::mt19937& random);
// Random bytes shaped like mesh data: floats and small indices.
std::string meshLikeBytes(std::mt19937& random, std::size_t size);

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

}  // namespace test_support
