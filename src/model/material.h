// One material of a 4DS model: its record in the file and every operation
// the editor performs on it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/file_stream.h"
#include "core/object.h"

namespace model {

// The named bits of a material's flag word. Other bits are carried as read.
enum MaterialFlag : std::uint32_t {
    Base = 0x00000001,
    ExtraSettings = 0x00008000,
    DiffuseTexture = 0x00040000,
    ReflectionTexture = 0x00080000,
    DiffuseChannel = 0x00800000,
    ImageAlpha = 0x01000000,  // the diffuse image carries its own alpha: no alpha name is stored
    AlphaHighlight = 0x02000000,
    AnimatedDiffuse = 0x04000000,
    DoubleSided = 0x10000000,
    ColorTransparency = 0x20000000,
    AlphaTexture = 0x40000000,
    DiffuseHighlight = 0x80000000,
};

// The six bits the panel's check boxes show.
constexpr std::uint32_t kEditorFlags =
    ExtraSettings | DiffuseChannel | AlphaHighlight | DoubleSided | ColorTransparency | DiffuseHighlight;
// The bits that say which parts a record stores: they follow its names
// and its animation and change only with them.
constexpr std::uint32_t kLayoutFlags = DiffuseTexture | ReflectionTexture | AnimatedDiffuse | AlphaTexture;

using Color = std::array<float, 3>;  // red, green, blue, each 0..1

// How a model's version lays out the fixed part of its records: the 44
// bytes of versions 27 and 29 (and of every version not named here), or the
// 76 bytes of versions 41 and 42, whose colours have a fourth component and
// which add a specular colour and a glossiness.
enum class RecordLayout { Narrow, Wide };
RecordLayout recordLayoutOf(std::uint16_t version);

// What a wide record holds beyond the fields the editor edits; carried byte
// for byte.
struct WideFields {
    float ambientFourth = 0;
    float diffuseFourth = 0;
    float emissionFourth = 0;
    std::array<float, 4> specular{};  // red, green, blue and a fourth component
    float glossiness = 0;

    // Equal when every float has the same bits.
    bool operator==(const WideFields& other) const;
};

// Whether a colour component or density lies within 0..1, the range a
// material takes; false for not-a-number.
constexpr bool inUnitRange(float value) { return value >= 0.0F && value <= 1.0F; }

// The texture kinds in the order of the joined names.
enum TextureKind : int { ReflectionKind = 0, DiffuseKind = 1, AlphaKind = 2 };

// The 18 bytes of an animated texture: the frame count in byte 0 and the
// delay in bytes 6..9; the others are carried as read.
using AnimationBlock = std::array<std::uint8_t, 18>;

// Everything a material holds, as a value: what undo gives a material back,
// byte for byte.
struct MaterialState {
    std::uint32_t flags = 0;
    Color ambient{};
    Color diffuse{};
    Color emission{};
    float density = 0;
    float reflectionDensity = 0;
    std::string reflectionName;
    std::string diffuseName;
    std::string alphaName;
    std::optional<AnimationBlock> animation;
    std::optional<WideFields> wide;  // present for a material read in the wide layout

    // Equal when every stored byte is: floats compare by their bits, so a
    // not-a-number equals itself.
    bool operator==(const MaterialState& other) const;
};

class Material : public core::ToolkitObject {
public:
    using AnimationBlock = model::AnimationBlock;
    static constexpr char kSeparator = '|';
    // A name's length is one byte in the record.
    static constexpr std::size_t kMaxNameLength = 255;

    // Fills a new material from the stream. False when the stream ends
    // before the record does; the fields not delivered keep their empty
    // values.
    bool read(core::FileStream& stream, RecordLayout layout = RecordLayout::Narrow);
    // Appends the record in the layout it was read in. Every optional part
    // is decided by the flag word (and the alpha name by the diffuse name),
    // as read decides it, so that whatever was read is written back the
    // same. False when the stream does not take every byte, and for a name
    // longer than its length byte can say.
    bool write(core::FileStream& stream) const;

    // Whether a record stores an alpha name: real files hold one only after
    // a non-empty diffuse name, with the alpha bit set, and never for a
    // diffuse image that carries its own alpha.
    static bool storesAlphaName(std::uint32_t flags, std::string_view diffuseName);
    // Whether a material could hold an alpha name with this diffuse name:
    // storesAlphaName once the alpha bit is set.
    static bool canHoldAlphaName(std::uint32_t flags, std::string_view diffuseName);

    // Reflection name, separator, diffuse name, separator, alpha name.
    std::string getTextureNames() const;
    // The same joined text for any three names, such as those a panel holds
    // before they are written into the material.
    static std::string joinTextureNames(std::string_view reflection, std::string_view diffuse, std::string_view alpha,
                                        char separator);
    // Sets one name and its presence bit, leaving the other two names and
    // their bits as they are. A new diffuse name has the animation block
    // checked against it, and an emptied one drops the block. False (and
    // nothing changed) for a name longer than 255 characters or holding the
    // separator, an alpha name the record could not store (canHoldAlphaName)
    // and an empty diffuse name while an alpha name is held, which would
    // vanish from the file.
    bool setTextureName(TextureKind kind, std::string_view name);

    // Sets and clears bits of the flag word: every bit but the layout's.
    // False (and nothing changed) when either mask holds a layout bit.
    bool changeFlags(std::uint32_t toSet, std::uint32_t toClear);

    // Each stores all its values when every one lies within 0..1, and
    // otherwise (not-a-number included) changes nothing.
    bool setAmbient(float red, float green, float blue);
    bool setDiffuse(float red, float green, float blue);
    bool setEmission(float red, float green, float blue);
    bool setDensity(float value);
    bool setReflectionDensity(float value);

    // The animated texture's frame count and delay; false (and the outputs
    // untouched) when the material is not animated.
    bool getAnimation(std::uint8_t& frames, std::uint32_t& delay) const;
    // Creates, updates or drops the animation block by the diffuse name's
    // "00" rule and the frame count.
    void setAnimation(std::uint8_t frames, std::uint32_t delay);
    // Drops the animation block and its bit, with or without a diffuse name.
    void removeAnimation();

    std::uint32_t flags() const { return state_.flags; }
    const Color& ambient() const { return state_.ambient; }
    const Color& diffuse() const { return state_.diffuse; }
    const Color& emission() const { return state_.emission; }
    float density() const { return state_.density; }
    float reflectionDensity() const { return state_.reflectionDensity; }
    std::string_view reflectionName() const { return state_.reflectionName; }
    std::string_view diffuseName() const { return state_.diffuseName; }
    std::string_view alphaName() const { return state_.alphaName; }
    // The name of one kind: reflectionName, diffuseName or alphaName.
    std::string_view textureName(TextureKind kind) const;
    const std::optional<AnimationBlock>& animation() const { return state_.animation; }
    char separator() const { return kSeparator; }
    // Present for a material read in the wide layout.
    const std::optional<WideFields>& wideFields() const { return state_.wide; }

    const MaterialState& state() const { return state_; }
    void setState(MaterialState state) { state_ = std::move(state); }

    // Whether a diffuse name may carry an animation: at least 6 characters
    // with "00" right before a four-character extension.
    static bool qualifiesForAnimation(std::string_view diffuseName);

protected:
    ~Material() override = default;

private:
    void checkAnimationAgainstDiffuseName();

    MaterialState state_;
};

}  // namespace model
