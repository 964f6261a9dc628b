#include "model/frame_list.h"

#include "core/byte_io.h"

namespace model {

namespace {

// Sizes of the fixed fields the reader passes over.
constexpr std::uint64_t kVectorSize = 12;
constexpr std::uint64_t kBoundsSize = 2 * kVectorSize;
constexpr std::uint64_t kMatrixSize = 64;
constexpr std::uint64_t kFaceSize = 6;
constexpr std::uint64_t kVertexSize = 32;  // position, normal, two texture coordinates
// After the parent: position, scale, rotation and the culling flags.
constexpr std::uint64_t kPlacementSize = kVectorSize + kVectorSize + 16 + 1;
constexpr std::uint64_t kRenderFlagsSize = 2;
constexpr std::uint64_t kDrawDistanceSize = 4;
constexpr std::uint64_t kBillboardSize = 5;  // rotation axis and mode
constexpr std::uint64_t kSkinLevelFixedSize = 4 + kBoundsSize;
constexpr std::uint64_t kJointFixedSize = kMatrixSize + 4;
constexpr std::uint64_t kJointTailSize = 4 + kBoundsSize;  // parent joint and bounds
constexpr std::uint64_t kMorphTailSize = 3 * kVectorSize + 4;
constexpr std::uint64_t kMorphVertexSize = 2 * kVectorSize;  // per target: position and normal
constexpr std::uint64_t kGlowPositionSize = 4;
constexpr std::uint64_t kSectorFlagsSize = 8;
constexpr std::uint64_t kPortalFixedSize = 4 + 4 + 4 + kVectorSize + 4;
constexpr std::uint64_t kMirrorFixedSize = kBoundsSize + kVectorSize + 4 + kMatrixSize + kVectorSize + 4;
constexpr std::uint64_t kTargetFlagsSize = 2;
constexpr std::uint64_t kJointFrameSize = kMatrixSize + 4;

bool readsFramesOf(std::uint16_t version) { return version == 27 || version == 29; }

bool isFrameKind(std::uint8_t type) {
    switch (static_cast<FrameKind>(type)) {
        case FrameKind::Visual:
        case FrameKind::Sector:
        case FrameKind::Dummy:
        case FrameKind::Target:
        case FrameKind::Joint:
        case FrameKind::Occluder:
            return true;
    }
    return false;
}

bool isVisualKind(std::uint8_t type) {
    switch (static_cast<VisualKind>(type)) {
        case VisualKind::Object:
        case VisualKind::SingleMesh:
        case VisualKind::SingleMorph:
        case VisualKind::Billboard:
        case VisualKind::Morph:
        case VisualKind::Glow:
        case VisualKind::Mirror:
            return true;
    }
    return false;
}

// Walks the list through the byte reader, whose sticky failure stands for
// "past the end"; the other stops are kept beside it.
class FrameReader {
public:
    explicit FrameReader(std::span<const std::uint8_t> bytes) : in_(bytes) {}

    // A frame that stops the reader leaves its parts in the arrays, where
    // no frame of the list points.
    FrameList read() {
        const std::uint16_t count = in_.u16();
        for (std::size_t number = 1; number <= count && going(); ++number) {
            Frame frame;
            readFrame(frame);
            if (!going()) {
                list_.problem = FrameListProblem{stop_.value_or(FrameStop::PastTheEnd), number, stopValue_};
                return std::move(list_);
            }
            list_.frames.push_back(std::move(frame));
        }
        if (!in_.ok()) list_.problem = FrameListProblem{FrameStop::PastTheEnd, 0, 0};
        return std::move(list_);
    }

private:
    bool going() const { return in_.ok() && !stop_; }

    // A value read past the end is no reason of its own.
    void stop(FrameStop why, std::uint32_t value) {
        if (!in_.ok()) return;
        stop_ = why;
        stopValue_ = value;
    }

    void skipItems(std::uint64_t count, std::uint64_t size) { in_.skip(count * size); }

    std::string text() {
        std::string text(in_.u8(), '\0');
        in_.bytes(text.data(), text.size());
        return text;
    }

    void readFrame(Frame& frame) {
        const std::uint8_t type = in_.u8();
        if (!isFrameKind(type)) return stop(FrameStop::FrameType, type);
        frame.kind = static_cast<FrameKind>(type);
        if (frame.kind == FrameKind::Visual) {
            const std::uint8_t visual = in_.u8();
            if (!isVisualKind(visual)) return stop(FrameStop::VisualType, visual);
            frame.visual = static_cast<VisualKind>(visual);
            in_.skip(kRenderFlagsSize);
        }
        frame.parent = in_.u16();
        in_.skip(kPlacementSize);
        frame.name = text();
        in_.skip(in_.u8());  // the parameter text
        switch (frame.kind) {
            case FrameKind::Visual:
                return readVisual(frame);
            case FrameKind::Sector:
                return skipSector();
            case FrameKind::Dummy:
                return in_.skip(kBoundsSize);
            case FrameKind::Target:
                in_.skip(kTargetFlagsSize);
                return skipItems(in_.u8(), 2);
            case FrameKind::Joint:
                return in_.skip(kJointFrameSize);
            case FrameKind::Occluder:
                return skipShape();
        }
    }

    void readVisual(Frame& frame) {
        switch (frame.visual) {
            case VisualKind::Object:
                return readMesh(frame);
            case VisualKind::SingleMesh:
                readMesh(frame);
                return skipSkin(frame.levels.count);
            case VisualKind::SingleMorph:
                readMesh(frame);
                skipSkin(frame.levels.count);
                return skipMorph();
            case VisualKind::Billboard:
                readMesh(frame);
                return in_.skip(kBillboardSize);
            case VisualKind::Morph:
                readMesh(frame);
                return skipMorph();
            case VisualKind::Glow:
                return readGlow(frame);
            case VisualKind::Mirror:
                in_.skip(kMirrorFixedSize);
                return skipShape();
        }
    }

    // An instance ends after the number of the frame it reuses.
    void readMesh(Frame& frame) {
        frame.instanceOf = in_.u16();
        if (frame.instanceOf != 0) return;
        const std::uint8_t levels = in_.u8();
        frame.levels = startRun(list_.levels);
        for (std::uint8_t n = 0; n < levels && going(); ++n) {
            DetailLevel level;
            in_.skip(kDrawDistanceSize);
            skipItems(in_.u16(), kVertexSize);
            const std::uint8_t groups = in_.u8();
            level.faceGroups = startRun(list_.faceGroups);
            for (std::uint8_t g = 0; g < groups && going(); ++g) {
                FaceGroup group;
                group.faces = in_.u16();
                skipItems(group.faces, kFaceSize);
                group.material = in_.u16();
                list_.faceGroups.push_back(group);
                ++level.faceGroups.count;
            }
            list_.levels.push_back(level);
            ++frame.levels.count;
        }
    }

    template <class Part>
    static Run startRun(const std::vector<Part>& parts) {
        return {static_cast<std::uint32_t>(parts.size()), 0};
    }

    // One skin level per level of the mesh.
    void skipSkin(std::size_t levels) {
        for (std::size_t n = 0; n < levels && going(); ++n) {
            const std::uint8_t joints = in_.u8();
            in_.skip(kSkinLevelFixedSize);
            for (std::uint8_t j = 0; j < joints && going(); ++j) {
                in_.skip(kJointFixedSize);
                const std::uint32_t weights = in_.u32();
                in_.skip(kJointTailSize);
                skipItems(weights, 4);
            }
        }
    }

    void skipMorph() {
        const std::uint8_t targets = in_.u8();
        if (targets == 0) return;
        const std::uint8_t regions = in_.u8();
        const std::uint8_t levels = in_.u8();
        for (std::size_t r = 0; r < std::size_t{regions} * levels && going(); ++r) {
            const std::uint16_t vertices = in_.u16();
            skipItems(std::uint64_t{vertices} * targets, kMorphVertexSize);
            // The two layouts this region may have agree only when its
            // byte is not 0.
            if (vertices != 0 && in_.u8() == 0) return stop(FrameStop::AmbiguousMorph, 0);
            skipItems(vertices, 2);
        }
        in_.skip(kMorphTailSize);
    }

    void readGlow(Frame& frame) {
        const std::uint8_t glows = in_.u8();
        frame.glowMaterials = startRun(list_.glowMaterials);
        for (std::uint8_t n = 0; n < glows && going(); ++n) {
            in_.skip(kGlowPositionSize);
            list_.glowMaterials.push_back(in_.u16());
            ++frame.glowMaterials.count;
        }
    }

    void skipSector() {
        in_.skip(kSectorFlagsSize);
        skipShape();
        in_.skip(kBoundsSize);
        const std::uint8_t portals = in_.u8();
        for (std::uint8_t n = 0; n < portals && going(); ++n) {
            const std::uint8_t vertices = in_.u8();
            in_.skip(kPortalFixedSize);
            skipItems(vertices, kVectorSize);
        }
    }

    // Vertex and face counts, then the vertices and the faces.
    void skipShape() {
        const std::uint32_t vertices = in_.u32();
        const std::uint32_t faces = in_.u32();
        skipItems(vertices, kVectorSize);
        skipItems(faces, kFaceSize);
    }

    core::ByteReader in_;
    FrameList list_;
    std::optional<FrameStop> stop_;
    std::uint32_t stopValue_ = 0;
};

}  // namespace

std::string describe(const FrameListProblem& problem) {
    const std::string value = std::to_string(problem.value);
    const std::string where = problem.frame == 0 ? "" : "frame " + std::to_string(problem.frame) + ": ";
    switch (problem.stop) {
        case FrameStop::Version:
            return "frames of version " + value + " models are not read";
        case FrameStop::FrameType:
            return where + "frame type " + value + " unknown";
        case FrameStop::VisualType:
            return where + "visual type " + value + " unknown";
        case FrameStop::PastTheEnd:
            return where + (problem.frame == 0 ? "the file ends before the frame count" : "the file ends inside it");
        case FrameStop::AmbiguousMorph:
            return where + "a morph region's unknown byte is 0, which leaves its layout open";
    }
    return where + "not read";
}

FrameList readFrameList(std::span<const std::uint8_t> bytes, std::uint16_t version) {
    if (!readsFramesOf(version)) return {{}, FrameListProblem{FrameStop::Version, 0, version}};
    return FrameReader(bytes).read();
}

}  // namespace model
