// The ids of the editor's controls. The windows give their controls
// these ids, and the tests that drive the editor find each control by its
// id rather than by its place in the layout.
#pragma once

#include <bit>
#include <cstdint>

namespace editor {

enum ControlId : int {
    // The material list and the search.
    MaterialListId = 1001,
    ShowAllButtonId,
    SearchBoxId,
    FindButtonId,
    FrameSearchBoxId,  // searching by frame name rather than by texture name

    // The colour channels, ambient, diffuse and emission, ten apart: the
    // red, green and blue bars, then the swatch (see channelControlId).
    AmbientChannelId = 1100,
    DiffuseChannelId = 1110,
    EmissionChannelId = 1120,

    // The densities, the texture settings and the viewer button; the three
    // name boxes in the order reflection, diffuse, alpha.
    ReflectionDensityBarId = 1201,
    DiffuseDensityBarId,
    ReflectionNameBoxId,
    DiffuseNameBoxId,
    AlphaNameBoxId,
    AnimateBoxId,
    FramesBoxId,
    DelayBoxId,
    ViewerButtonId,
    UsageLineId,  // where the shown material is used

    // The six flag boxes, in the order of the material's flag table.
    DiffuseChannelBoxId = 1301,
    ExtraSettingsBoxId,
    DoubleSidedBoxId,
    DiffuseHighlightBoxId,
    AlphaHighlightBoxId,
    ColorTransparencyBoxId,

    // The viewer's image area (its one child shows the image), its tabs and
    // the line saying by which rule the image is transparent.
    ViewerImageAreaId = 1401,
    ViewerEnvTabId,
    ViewerDiffTabId,
    ViewerAlfaTabId,
    ViewerTransparencyLineId,

    // The flags window: the word, the tiling count, the blend and mapping
    // mode lists, and one box a switch (see flagSwitchBoxId).
    FlagWordLabelId = 1501,
    TilingBoxId,
    BlendModeListId,
    MappingModeListId,
    FlagSwitchBoxesId = 1600,

    // The usage window: what it says of the shown material and its list of
    // frames.
    UsageWindowSummaryId = 1701,
    UsageListId,
};

// A control of a colour channel: channel 0 ambient, 1 diffuse, 2 emission;
// part 0, 1 and 2 its red, green and blue bars, 3 its swatch.
constexpr int channelControlId(int channel, int part) { return AmbientChannelId + 10 * channel + part; }
constexpr int kSwatchPart = 3;

// The flags window's box of the switch with this bit.
constexpr int flagSwitchBoxId(std::uint32_t bit) { return FlagSwitchBoxesId + std::countr_zero(bit); }

}  // namespace editor
