// The editor's rules for changing a material, shared by the editor's
// properties panel and the command line: the slider scales, the texture-name
// and frame-count rules, and one change applied so that everything it does
// not name keeps its stored value and bits.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/image_reader.h"
#include "model/flag_word.h"
#include "model/material.h"

namespace model {

// The integer nearest to x, a half going to the even neighbour.
std::int64_t roundHalfEven(double x);

// The panel's bars run from 0 to this position.
constexpr int kSliderMaximum = 100;

// The bar position that shows a stored value: round(100 x value), clamped to
// the bar (not-a-number shows as 0).
int sliderPositionOf(float value);
// The value a bar position stands for: position / 100.
float valueOfSliderPosition(int position);
// The colour byte of a bar position: round(position / 100 x 255).
std::uint8_t colorByteOfPosition(int position);
// The value a colour byte stands for in a material: byte / 255.
float valueOfColorByte(std::uint8_t byte);
// The bar position nearest to a colour byte: round(100 x byte / 255).
int sliderPositionOfByte(std::uint8_t byte);
// The position a pointer at x over a bar of client width `width` asks for:
// round(100 x x / width), not yet clamped; 0 for a bar without width.
int dragPosition(int x, int width);

// The image format the viewer reads a texture name in: BMP for a name that
// ends in ".bmp", TGA for one that ends in ".tga", in any letter case;
// nothing for any other name, which the viewer does not read.
std::optional<core::ImageFormat> viewerFormatOf(std::string_view name);

// Whether the material search lists the material for this text: the text
// occurs in its joined names, compared exactly (separators included); an
// empty text finds nothing.
bool searchFinds(const Material& material, std::string_view text);

// A texture name as a name box takes it on Enter: a non-empty name that
// holds neither ".BMP" nor ".TGA" anywhere, in any letter case (as the
// viewer and Windows read them), gets ".BMP" appended. Nothing
// when the result is longer than a material can hold or holds the
// separator.
std::optional<std::string> acceptTextureName(std::string_view typed);

// Frame counts the animation settings take.
constexpr int kMinFrames = 2;
constexpr int kMaxFrames = 255;
constexpr bool isFrameCount(std::int32_t frames) { return frames >= kMinFrames && frames <= kMaxFrames; }
// The frame count a box's text gives: an optional sign, then the decimal
// digits up to the first other character (none read as 0). Nothing when
// that number, however many digits it has, is not a frame count.
std::optional<std::uint8_t> frameCountOfText(std::string_view text);

// An animation as the panel sets it.
struct Animation {
    std::uint8_t frames = 0;
    std::uint32_t delay = 0;
    bool operator==(const Animation&) const = default;
};

// One change to a material. Absent parts keep the material's values.
struct MaterialEdit {
    using ColorEdit = std::array<std::optional<float>, 3>;  // red, green, blue
    ColorEdit ambient;
    ColorEdit diffuse;
    ColorEdit emission;
    std::optional<float> reflectionDensity;
    std::optional<float> density;
    std::array<std::optional<std::string>, 3> names;  // by TextureKind
    // Bits of the flag word to set and clear: any but the layout's.
    std::uint32_t flagsToSet = 0;
    std::uint32_t flagsToClear = 0;
    // The numbers the word holds in some of its bits.
    std::optional<std::uint32_t> tiling;
    std::optional<std::uint32_t> blendMode;
    std::optional<std::uint32_t> mappingMode;
    // Set: animate with these settings; nothing inside: no animation.
    std::optional<std::optional<Animation>> animation;

    bool empty() const;
};

// Why a change is refused.
enum class EditRefusal {
    ValueOutOfRange,           // a colour component or density outside 0..1
    NameTooLong,               // more than 255 characters
    NameHasSeparator,          // a name holding "|"
    LayoutFlag,                // a flag bit that follows the names and the animation
    FlagFieldOutOfRange,       // a tiling count beyond 255, or a blend or mapping mode beyond 7
    ImageAlphaDropsAlphaName,  // bit 0x01000000 set while an alpha name stays, which the file would lose
    FrameCountOutOfRange,      // frames outside 2..255
    NameNotAnimatable,         // animation asked for a diffuse name without "00" before its extension
    AlphaNameNotStored,        // an alpha name without a diffuse name, or for a diffuse image with its own alpha
    AlphaNameWouldVanish,      // the diffuse name emptied while an alpha name stays, which only follows a diffuse name
};

struct EditProblem {
    EditRefusal refusal;
    std::string field;  // "ambient", "density", "diffuse-name", "flags", "animation", ...
};

// The fields of the three texture names as problems name them, by TextureKind.
constexpr std::array<std::string_view, 3> kTextureNameFields{"reflection-name", "diffuse-name", "alpha-name"};

// Whether a material can store the names it would have: an alpha name
// only after a diffuse name and for a diffuse image without its own alpha
// (the flag word's bits). Nothing when it can; otherwise AlphaNameNotStored
// when the alpha name is the one being given, AlphaNameWouldVanish when it
// is one already held.
std::optional<EditRefusal> alphaNameRefusal(std::uint32_t flags, std::string_view diffuseName,
                                            std::string_view alphaName, bool alphaNameGiven);

// Every reason the change cannot be made to this material; empty when it can.
std::vector<EditProblem> checkEdit(const Material& material, const MaterialEdit& edit);

// Makes the change: flags, names, animation, densities, colours. Only
// what the change names moves: the flag bits and numbers it gives, each
// name it gives with that name's own bit, and the animation block with its
// bit when the change gives the animation or a new diffuse name (a block
// that does not suit the new name is dropped). Every other name, bit and
// block keeps its stored bytes. A colour component the change leaves out
// keeps its stored value; when that value lies outside 0..1 and another
// component of its colour changes, it is written clamped, since a colour is
// stored whole. False, and nothing changed, when checkEdit refuses.
bool applyEdit(Material& material, const MaterialEdit& edit);

}  // namespace model
