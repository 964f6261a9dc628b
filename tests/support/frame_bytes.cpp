#include "frame_bytes.h"

#include <stdexcept>

namespace test_support {

namespace {

constexpr std::uint8_t kVisualType = 1;

void appendU8(std::string& out, std::uint8_t value) { out += static_cast<char>(value); }

void appendU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void appendU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
}

void appendText(std::string& out, const std::string& text) {
    if (text.size() > 255) throw std::invalid_argument("a text holds at most 255 characters");
    appendU8(out, static_cast<std::uint8_t>(text.size()));
    out += text;
}

// Floats of 1.5, standing for coordinates, bounds and matrices.
void appendFloats(std::string& out, std::uint64_t count) {
    for (std::uint64_t i = 0; i < count; ++i) out.append("\x00\x00\xC0\x3F", 4);
}

void appendFaces(std::string& out, std::uint64_t count) {
    for (std::uint64_t i = 0; i < count; ++i) out.append("\x00\x00\x01\x00\x02\x00", 6);
}

std::string head(const FrameHead& head, std::uint8_t type, std::uint8_t visual) {
    std::string out;
    appendU8(out, type);
    if (type == kVisualType) {
        appendU8(out, visual);
        appendU8(out, 0);  // render flags
        appendU8(out, 0x2A);
    }
    appendU16(out, head.parent);
    appendFloats(out, 3 + 3 + 4);  // position, scale, rotation
    appendU8(out, 1);              // culling flags
    appendText(out, head.name);
    appendText(out, head.parameters);
    return out;
}

void appendLevels(std::string& out, const std::vector<LevelBytes>& levels) {
    appendU16(out, 0);  // its own geometry
    appendU8(out, static_cast<std::uint8_t>(levels.size()));
    for (const LevelBytes& level : levels) {
        appendFloats(out, 1);  // draw distance
        appendU16(out, level.vertices);
        appendFloats(out, 8ULL * level.vertices);
        appendU8(out, static_cast<std::uint8_t>(level.faceGroups.size()));
        for (const FaceGroupBytes& group : level.faceGroups) {
            appendU16(out, group.faces);
            appendFaces(out, group.faces);
            appendU16(out, group.material);
        }
    }
}

void appendBillboard(std::string& out, MeshKind kind) {
    if (kind != MeshKind::Billboard) return;
    appendU32(out, 1);  // about y
    appendU8(out, 1);
}

void appendSkin(std::string& out, std::size_t levels, std::uint8_t joints, std::uint32_t weights) {
    for (std::size_t level = 0; level < levels; ++level) {
        appendU8(out, joints);
        appendU32(out, 0);
        appendFloats(out, 6);
        for (std::uint8_t joint = 0; joint < joints; ++joint) {
            appendFloats(out, 16);
            appendU32(out, 0);
            appendU32(out, weights);
            appendU32(out, joint);
            appendFloats(out, 6);
            appendFloats(out, weights);
        }
    }
}

void appendShape(std::string& out, std::uint32_t vertices, std::uint32_t faces) {
    appendU32(out, vertices);
    appendU32(out, faces);
    appendFloats(out, 3ULL * vertices);
    appendFaces(out, faces);
}

}  // namespace

std::string meshFrame(const FrameHead& frame, const std::vector<LevelBytes>& levels, MeshKind kind) {
    std::string out = head(frame, kVisualType, static_cast<std::uint8_t>(kind));
    appendLevels(out, levels);
    appendBillboard(out, kind);
    return out;
}

std::string instanceFrame(const FrameHead& frame, std::uint16_t source, MeshKind kind) {
    std::string out = head(frame, kVisualType, static_cast<std::uint8_t>(kind));
    appendU16(out, source);
    appendBillboard(out, kind);
    return out;
}

std::string skinnedFrame(const FrameHead& frame, const std::vector<LevelBytes>& levels, std::uint8_t joints,
                         std::uint32_t weights) {
    std::string out = head(frame, kVisualType, 2);
    appendLevels(out, levels);
    appendSkin(out, levels.size(), joints, weights);
    return out;
}

std::string morphFrame(const FrameHead& frame, const std::vector<LevelBytes>& levels, const MorphBytes& morph,
                       bool skinned) {
    std::string out = head(frame, kVisualType, skinned ? 3 : 5);
    appendLevels(out, levels);
    if (skinned) appendSkin(out, levels.size(), 1, 0);
    appendU8(out, morph.targets);
    if (morph.targets == 0) return out;
    appendU8(out, morph.regions);
    appendU8(out, morph.levels);
    for (int region = 0; region < morph.regions * morph.levels; ++region) {
        appendU16(out, morph.vertices);
        appendFloats(out, 6ULL * morph.targets * morph.vertices);
        if (morph.vertices > 0) appendU8(out, morph.regionByte);
        for (std::uint16_t v = 0; v < morph.vertices; ++v) appendU16(out, v);
    }
    appendFloats(out, 10);  // minimum, maximum, centre, radius
    return out;
}

std::string glowFrame(const FrameHead& frame, const std::vector<std::uint16_t>& materials) {
    std::string out = head(frame, kVisualType, 6);
    appendU8(out, static_cast<std::uint8_t>(materials.size()));
    for (const std::uint16_t material : materials) {
        appendFloats(out, 1);
        appendU16(out, material);
    }
    return out;
}

std::string mirrorFrame(const FrameHead& frame, std::uint32_t vertices, std::uint32_t faces) {
    std::string out = head(frame, kVisualType, 8);
    appendFloats(out, 6 + 3 + 1 + 16 + 3 + 1);  // bounds, centre, radius, matrix, colour, range
    appendShape(out, vertices, faces);
    return out;
}

std::string sectorFrame(const FrameHead& frame, std::uint32_t vertices, std::uint32_t faces,
                        const std::vector<std::uint8_t>& portals) {
    std::string out = head(frame, 5, 0);
    appendU32(out, 0x801);
    appendU32(out, 0);
    appendShape(out, vertices, faces);
    appendFloats(out, 6);
    appendU8(out, static_cast<std::uint8_t>(portals.size()));
    for (const std::uint8_t portalVertices : portals) {
        appendU8(out, portalVertices);
        appendU32(out, 4);
        appendFloats(out, 2 + 3 + 1);  // near, far, normal, distance
        appendFloats(out, 3ULL * portalVertices);
    }
    return out;
}

std::string dummyFrame(const FrameHead& frame) {
    std::string out = head(frame, 6, 0);
    appendFloats(out, 6);
    return out;
}

std::string targetFrame(const FrameHead& frame, const std::vector<std::uint16_t>& links) {
    std::string out = head(frame, 7, 0);
    appendU16(out, 0);
    appendU8(out, static_cast<std::uint8_t>(links.size()));
    for (const std::uint16_t link : links) appendU16(out, link);
    return out;
}

std::string jointFrame(const FrameHead& frame, std::uint32_t id) {
    std::string out = head(frame, 10, 0);
    appendFloats(out, 16);
    appendU32(out, id);
    return out;
}

std::string occluderFrame(const FrameHead& frame, std::uint32_t vertices, std::uint32_t faces) {
    std::string out = head(frame, 12, 0);
    appendShape(out, vertices, faces);
    return out;
}

std::string bareFrame(const FrameHead& frame, std::uint8_t type, std::uint8_t visual) {
    return head(frame, type, visual);
}

std::vector<std::string> everyKindOfFrame() {
    const LevelBytes detailed{8, {{10, 1}, {4, 2}, {6, 1}}};
    return {
        meshFrame({"body"}, {detailed, {4, {{5, 1}}}}),
        instanceFrame({"body copy", 1}, 1),
        glowFrame({"flare", 1}, {3, 3}),
        sectorFrame({"room", 0, "{portal}"}, 8, 12, {4, 0}),
        morphFrame({"flag"}, {{3, {{3, 2}}}}, {}),
        skinnedFrame({"arm"}, {{6, {{2, 2}}}, {3, {{1, 2}}}}, 2, 3),
        morphFrame({"face"}, {{3, {{1, 4}}}}, {.targets = 0}, true),
        dummyFrame({"helper"}),
        targetFrame({"look", 8}, {1, 11}),
        jointFrame({"bone", 6}, 0),
        occluderFrame({"wall"}, 4, 2),
        meshFrame({"tree"}, {{4, {{2, 4}}}}, MeshKind::Billboard),
        instanceFrame({"tree 2"}, 12, MeshKind::Billboard),
        mirrorFrame({"mirror"}, 4, 2),
    };
}

std::string frameList(const std::vector<std::string>& frames, ListEnding ending) {
    std::string out;
    appendU16(out, static_cast<std::uint16_t>(frames.size()));
    for (const std::string& frame : frames) out += frame;
    switch (ending) {
        case ListEnding::FlagByte:
            appendU8(out, 0);
            break;
        case ListEnding::Nothing:
            break;
        case ListEnding::TwoZeroBytes:
            appendU16(out, 0);
            break;
        case ListEnding::FlagByteAndMore:
            appendU8(out, 1);
            out.append(300, '\0');
            break;
    }
    return out;
}

}  // namespace test_support
