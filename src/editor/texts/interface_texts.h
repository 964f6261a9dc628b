// Every text the editor shows, in Russian and in English, looked up by its
// name in the language the user chose. Texts are code page 1251 strings, as
// the rest of the program holds them; the English ones are plain ASCII.
// A blank at either end is kept in both languages: most such texts are
// pieces that the editor joins with a number or a name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace editor {

enum class Language : std::uint8_t { Russian, English };

enum class TextName : std::uint16_t {
    // The program, its menu and its messages.
    ProgramName,
    ApplicationTitle,  // the caption of the message boxes
    MenuFile,
    MenuOpen,
    MenuSave,
    MenuSaveAs,
    MenuExit,
    MenuEdit,
    MenuUndo,
    MenuRedo,
    MenuTextureFolder,
    MenuLanguage,
    LanguageRussian,
    LanguageEnglish,
    MenuView,
    MenuViewerOnTop,
    MenuHelp,
    MenuAbout,
    AboutText,
    SaveChanges,
    SaveChangesInFile,
    CantReadFile,
    CantWriteFile,
    ModelFileFilter,
    TextureFolderDialogTitle,
    NameNotInCodePage,
    FramesNotSearched,

    // The material list and the search.
    MaterialListTitle,
    ShowAll,
    Find,
    SearchByName,
    SearchByFrame,
    FrameSearchBox,
    FrameSearchHint,

    // The material panel.
    PanelTitle,
    ColorKeyNote,
    UsageLineHint,
    ReflectionTexture,
    DiffuseTexture,
    AlphaTexture,
    Density,
    Bitmap,
    AmbientChannel,
    DiffuseChannel,
    EmissionChannel,
    Colour,
    SwatchHint,
    SliderHint,
    EditHint,
    EnterHint,
    AnimationNote,
    FrameCount,
    FrameDelay,
    AnimateTexture,
    FramesRefused,
    NotAnimatable,
    NameRefused,
    AlphaNameNotStored,
    AlphaNameWouldVanish,

    // The panel's flag boxes and what each bit does.
    DoubleSidedBox,
    DiffuseHighlightBox,
    AlphaHighlightBox,
    ColorTransparencyBox,
    ExtraSettingsBox,
    DiffuseChannelBox,
    DoubleSidedMeaning,
    DiffuseHighlightMeaning,
    AlphaHighlightMeaning,
    ColorTransparencyMeaning,
    ExtraSettingsMeaning,
    DiffuseChannelMeaning,

    // The flags window; the switches in the order of the model's list.
    FlagsWindowCaption,
    FlagWord,
    TilingLabel,
    BlendLabel,
    MappingLabel,
    TilingRefused,
    ImageAlphaQuestion,
    SwitchTexturesOff,
    SwitchEffects,
    SwitchNoWrapU,
    SwitchNoWrapV,
    SwitchHasDiffuse,
    SwitchHasReflection,
    SwitchFullColour,
    SwitchNoCompression,
    SwitchNoCaching,
    SwitchMipMapping,
    SwitchImageAlpha,
    SwitchAnimatedAlpha,
    SwitchAnimatedDiffuse,
    SwitchColoursOverTexture,
    SwitchDoubleSided,
    SwitchColorKey,
    SwitchHasAlpha,
    SwitchAdditive,
    BlendByDensity,
    BlendBySurfaceAlpha,
    BlendMultiply,
    BlendMultiplyTwice,
    BlendAdd,
    MappingReflection,
    MappingReflectionZ,
    MappingPlanar,
    MappingHelperObject,

    // The usage window and what the editor says of where materials are used.
    UsageWindowCaption,
    FrameColumn,
    LevelColumn,
    FacesColumn,
    NoMaterial,
    LevelsNote,
    InstancesNote,
    UsedByFrames,
    UsedFaces,
    UsedGlows,
    Unused,
    UsageUnknown,
    InstanceOf,
    GlowLevel,
    FramesNotRead,
    FrameNumber,
    VersionNotRead,
    VersionNotReadEnd,
    UnknownFrameType,
    UnknownVisualType,
    EndsBeforeFrameList,
    EndsInsideFrame,
    AmbiguousMorph,

    // The viewer.
    ViewerCaption,
    EnvTab,
    DiffTab,
    AlfaTab,
    ColorKeyTransparency,
    ImageAlphaTransparency,
    NoTransparency,

    Count
};

constexpr std::size_t kTextCount = static_cast<std::size_t>(TextName::Count);

// The text in the language the user chose.
const char* text(TextName name);
// The text in a given language.
const char* textIn(Language language, TextName name);
// Texts shown the same in every language: the languages' names, each in
// itself, and the messages whose wording files and callers rely on.
bool sameInEveryLanguage(TextName name);

// The language the texts are shown in; Russian until another is set.
Language currentLanguage();
void setLanguage(Language language);

// The language's code in the settings file, "ru" or "en"; any other code,
// or none, means Russian.
const char* languageCode(Language language);
Language languageOfCode(std::string_view code);

}  // namespace editor
