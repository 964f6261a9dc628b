#include "model_bytes.h"

#include <bit>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test_support {

namespace {

void appendU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
}

void appendFloat(std::string& out, float value) { appendU32(out, std::bit_cast<std::uint32_t>(value)); }

void appendName(std::string& out, const std::string& name) {
    if (name.size() > 255) throw std::invalid_argument("a name holds at most 255 characters");
    out += static_cast<char>(name.size());
    out += name;
}

std::string randomName(std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> length(0, 255);
    std::uniform_int_distribution<int> byte(1, 255);
    std::string name;
    switch (kind(random)) {
        case 0:
            return name;  // empty
        case 1:
            name.resize(static_cast<std::size_t>(length(random)));
            for (char& c : name) c = static_cast<char>(byte(random));
            return name;
        case 2:
            return std::string(255, static_cast<char>(0xDF));  // 255 times the Cyrillic ya
        default:
            return "TEX" + std::to_string(random() % 100) + "00.BMP";
    }
}

}  // namespace

bool storesAlphaName(const RecordBytes& record) {
    return (record.flags & kAlphaBit) != 0 && (record.flags & kImageAlphaBit) == 0 && !record.diffuseName.empty();
}

std::string encodeRecord(const RecordBytes& record, std::uint16_t version) {
    std::string out;
    appendU32(out, record.flags);
    if (version == 41 || version == 42) {
        const auto appendColor = [&out](const std::array<float, 3>& color, float fourth) {
            for (float c : color) appendFloat(out, c);
            appendFloat(out, fourth);
        };
        appendColor(record.ambient, record.ambientFourth);
        appendColor(record.diffuse, record.diffuseFourth);
        for (float c : record.specular) appendFloat(out, c);
        appendColor(record.emission, record.emissionFourth);
        appendFloat(out, record.glossiness);
    } else {
        for (float c : record.ambient) appendFloat(out, c);
        for (float c : record.diffuse) appendFloat(out, c);
        for (float c : record.emission) appendFloat(out, c);
    }
    appendFloat(out, record.density);
    if (record.flags & kReflectionBit) {
        appendFloat(out, record.reflectionDensity);
        appendName(out, record.reflectionName);
    }
    appendName(out, record.diffuseName);
    if (storesAlphaName(record)) appendName(out, record.alphaName);
    if (record.flags & kAnimationBit) out.append(record.animation.begin(), record.animation.end());
    return out;
}

RecordBytes recordWithNames(const std::string& reflectionName, const std::string& diffuseName,
                            const std::string& alphaName) {
    constexpr std::uint32_t kDiffuseBit = 0x00040000;
    RecordBytes record;
    record.flags = (reflectionName.empty() ? 0 : kReflectionBit) | (diffuseName.empty() ? 0 : kDiffuseBit) |
                   (alphaName.empty() ? 0 : kAlphaBit);
    record.diffuse = {1, 1, 1};
    record.density = 1;
    record.reflectionDensity = 1;
    record.reflectionName = reflectionName;
    record.diffuseName = diffuseName;
    record.alphaName = alphaName;
    return record;
}

RecordBytes distinctWideRecord() {
    RecordBytes record = recordWithNames("ENV.BMP", "GLASS.BMP", "GLASS+.BMP");
    record.ambient = {0.01F, 0.02F, 0.03F};
    record.ambientFourth = 0.04F;
    record.diffuse = {0.05F, 0.06F, 0.07F};
    record.diffuseFourth = 0.08F;
    record.specular = {0.09F, 0.10F, 0.11F, 0.12F};
    record.emission = {0.13F, 0.14F, 0.15F};
    record.emissionFourth = 0.16F;
    record.glossiness = 42.5F;
    record.density = 0.17F;
    record.reflectionDensity = 0.18F;
    return record;
}

std::string encodeModel(const ModelBytes& model) {
    std::string out = std::string("4DS", 3) + '\0';
    out += static_cast<char>(model.version & 0xFF);
    out += static_cast<char>(model.version >> 8);
    out.append(model.headerTail.begin(), model.headerTail.end());
    out += static_cast<char>(model.records.size() & 0xFF);
    out += static_cast<char>(model.records.size() >> 8);
    for (const RecordBytes& record : model.records) out += encodeRecord(record, model.version);
    out += model.remainder;
    return out;
}

std::string withSavedHeader(std::string fileBytes) {
    for (std::size_t i = 6; i < 14 && i < fileBytes.size(); ++i) fileBytes[i] = static_cast<char>(0xFF);
    return fileBytes;
}

std::string savedFileDifference(const ModelBytes& model, const std::string& written) {
    const std::string expected = withSavedHeader(encodeModel(model));
    if (written == expected) return {};
    std::size_t at = 0;
    while (at < written.size() && at < expected.size() && written[at] == expected[at]) ++at;
    std::string text = "saved " + std::to_string(written.size()) + " bytes, expected " +
                       std::to_string(expected.size()) + "; first difference at offset " + std::to_string(at);
    const auto hex = [](const std::string& bytes, std::size_t start, std::size_t size) {
        static const char digits[] = "0123456789ABCDEF";
        std::string out;
        for (std::size_t i = start; i < start + size && i < bytes.size(); ++i) {
            const auto byte = static_cast<unsigned char>(bytes[i]);
            out.append(1, digits[byte >> 4]).append(1, digits[byte & 15]).append(1, ' ');
        }
        return out;
    };
    std::size_t start = 16;  // the header and the count
    for (std::size_t n = 0; n < model.records.size(); ++n) {
        const std::size_t size = encodeRecord(model.records[n], model.version).size();
        if (at < start + size) {
            return text + ", in material " + std::to_string(n + 1) + "\nexpected: " + hex(expected, start, size) +
                   "\nwritten:  " + hex(written, start, size);
        }
        start += size;
    }
    return text;
}

RecordBytes randomRecord(std::mt19937& random) {
    RecordBytes record;
    record.flags = static_cast<std::uint32_t>(random());
    const auto randomFloat = [&random] { return std::bit_cast<float>(static_cast<std::uint32_t>(random())); };
    for (auto* color : {&record.ambient, &record.diffuse, &record.emission})
        for (float& c : *color) c = randomFloat();
    record.density = randomFloat();
    record.reflectionDensity = randomFloat();
    for (float* value : {&record.ambientFourth, &record.diffuseFourth, &record.emissionFourth, &record.glossiness})
        *value = randomFloat();
    for (float& c : record.specular) c = randomFloat();
    record.reflectionName = randomName(random);
    record.diffuseName = randomName(random);
    record.alphaName = randomName(random);
    if (!storesAlphaName(record)) record.alphaName.clear();
    for (auto& b : record.animation) b = static_cast<std::uint8_t>(random());
    return record;
}

std::string meshLikeBytes(std::mt19937& random, std::size_t size) {
    std::string out;
    out.reserve(size + 4);
    std::uniform_real_distribution<float> coordinate(-100.0F, 100.0F);
    while (out.size() < size) {
        if (random() % 4 == 0)
            appendU32(out, static_cast<std::uint32_t>(random() % 65536));
        else
            appendFloat(out, coordinate(random));
    }
    out.resize(size);
    return out;
}

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace test_support
