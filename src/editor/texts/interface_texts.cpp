#include "editor/texts/interface_texts.h"

#include <iterator>

namespace editor {

namespace {

struct TextRow {
    TextName name;
    const char* russian;
    const char* english;
};

using N = TextName;

// One row a text, in the order of the names.
constexpr TextRow kTexts[] = {
    {N::ProgramName, "Skirvane.textures", "Skirvane.textures"},
    {N::ApplicationTitle, "Skirvane", "Skirvane"},
    {N::MenuFile, "Файл", "File"},
    {N::MenuOpen, "Открыть..", "Open..."},
    {N::MenuSave, "Сохранить", "Save"},
    {N::MenuSaveAs, "Сохранить как..", "Save as..."},
    {N::MenuExit, "Выход", "Exit"},
    {N::MenuEdit, "Правка", "Edit"},
    {N::MenuUndo, "Отменить", "Undo"},
    {N::MenuRedo, "Повторить", "Redo"},
    {N::MenuTextureFolder, "Путь к папке с изображениями..", "Texture folder..."},
    {N::MenuLanguage, "Язык / Language", "Язык / Language"},
    {N::LanguageRussian, "Русский", "Русский"},
    {N::LanguageEnglish, "English", "English"},
    {N::MenuView, "Просмотр", "View"},
    {N::MenuViewerOnTop, "Отображать viewer поверх всех окон", "Viewer always on top"},
    {N::MenuHelp, "Помощь", "Help"},
    {N::MenuAbout, "О программе", "About"},
    {N::AboutText,
     "Программа для настройки свойств материалов в моделях формата *.4ds\r"
     "\r"
     "Skirvane: редактор материалов с открытым исходным кодом",
     "Edits the material properties of models in the *.4ds format\r"
     "\r"
     "Skirvane: an open-source material editor"},
    {N::SaveChanges, "Сохранить изменения?", "Save the changes?"},
    {N::SaveChangesInFile, "Сохранить изменения в файле ", "Save the changes to "},
    {N::CantReadFile, "Can't read file: ", "Can't read file: "},
    {N::CantWriteFile, "Can't write file: ", "Can't write file: "},
    {N::ModelFileFilter, "*.4ds|*.4ds", "*.4ds|*.4ds"},
    {N::TextureFolderDialogTitle, "Выберите папку с изображениями\r[ для вьювера ]",
     "Choose the folder of the texture images\r[ for the viewer ]"},
    {N::NameNotInCodePage, "Имя текстуры может содержать только символы кодовой страницы 1251",
     "A texture name can hold only characters of code page 1251"},
    {N::FramesNotSearched, "Кадры модели не прочитаны: искать по имени кадра нельзя",
     "The model's frames were not read: no search by frame name"},

    {N::MaterialListTitle, "Список материалов", "Materials"},
    {N::ShowAll, "Показать все", "Show all"},
    {N::Find, "Найти", "Find"},
    {N::SearchByName, "Поиск материала по имени изображения:", "Find materials by texture name:"},
    {N::SearchByFrame,
     "Поиск материала по имени кадра, где он используется:", "Find materials by the name of a frame that uses them:"},
    {N::FrameSearchBox, "по имени кадра ", "by frame name "},
    {N::FrameSearchHint, "Искать материалы кадров, в имени которых есть текст поиска (без учёта регистра)",
     "Find the materials of the frames whose names hold the search text (in any letter case)"},

    {N::PanelTitle, "Настройки материала", "Material settings"},
    {N::ColorKeyNote, "Все пиксели с цветом RGB, где B=0 будут прозрачны",
     "Pixels whose RGB colour has B=0 are transparent"},
    {N::UsageLineHint, "Щелчок или Ctrl+U: кадры, где используется материал",
     "Click or Ctrl+U: the frames that use the material"},
    {N::ReflectionTexture, "Текстура отражения:", "Reflection (env) texture:"},
    {N::DiffuseTexture, "Основная текстура:", "Diffuse texture:"},
    {N::AlphaTexture, "Alfa текстура:", "Alpha texture:"},
    {N::Density, "Плотность:", "Density:"},
    {N::Bitmap, "Bitmap:", "Bitmap:"},
    {N::AmbientChannel, "Ambient канал", "Ambient colour"},
    {N::DiffuseChannel, "Diffuse канал", "Diffuse colour"},
    {N::EmissionChannel, "Emission канал", "Emission colour"},
    {N::Colour, "Цвет:", "Colour:"},
    {N::SwatchHint, "Клик мышкой - вызов диалога выбора цвета", "Click: choose the colour in a dialog"},
    {N::SliderHint, "Правый клик - установить регулятор в максимальную(минимальную) позицию",
     "Right click: move the slider to its maximum (minimum)"},
    {N::EditHint, "Сюда вводите текст ", "Type the text here "},
    {N::EnterHint, "Для принятия изменений нажмите <Enter> после редактирования текста",
     "Press <Enter> after editing the text to take the change"},
    {N::AnimationNote,
     "Основная текстура должна иметь имя формата *XX.BMP, где XX - порядковый номер текстуры в видеоряде.",
     "Diffuse texture names must have the form *XX.BMP, where XX is the frame's number in the animation."},
    {N::FrameCount, "Количество кадров:", "Frames:"},
    {N::FrameDelay, "Задержка пролистывания:", "Delay between frames:"},
    {N::AnimateTexture, "Анимировать текстуру", "Animate the texture"},
    {N::FramesRefused, "Максимально возможное количество кадров: 255", "The most frames possible: 255"},
    {N::NotAnimatable, "Diffuse текстура должна иметь имя формата *00.bmp",
     "An animated diffuse texture's name must have the form *00.bmp"},
    {N::NameRefused, "Имя текстуры не должно быть длиннее 255 символов и содержать символ |",
     "A texture name may be at most 255 characters long and may not hold the character |"},
    {N::AlphaNameNotStored,
     "Alfa текстура хранится в модели только вместе с основной текстурой без собственного альфа-канала",
     "The model stores an alpha texture only with a diffuse texture without an alpha channel of its own"},
    {N::AlphaNameWouldVanish, "Без основной текстуры alfa текстура не сохранится: сначала очистите имя alfa текстуры",
     "Without a diffuse texture the alpha texture is not saved: clear the alpha texture's name first"},

    {N::DoubleSidedBox, "Видимость с 2х сторон ", "Visible from both sides "},
    {N::DiffuseHighlightBox, "Подсвечивать diff. текстуру ", "Additive blending "},
    {N::AlphaHighlightBox, "Подсвечивать alfa текстуру", "Animated alpha texture"},
    {N::ColorTransparencyBox, "Использовать прозрачность цветов ", "Colour key "},
    {N::ExtraSettingsBox, "Использовать доп. настройки", "Alpha and additive effects"},
    {N::DiffuseChannelBox, "Использовать diff. канал (?)", "Mip-mapping"},
    {N::DoubleSidedMeaning, "Материал виден с обеих сторон", "The material is seen from both sides"},
    {N::DiffuseHighlightMeaning, "Аддитивное смешивание: материал прибавляет свой цвет к тому, что за ним",
     "Additive blending: the material adds its colour to what lies behind it"},
    {N::AlphaHighlightMeaning, "Анимированная alfa текстура", "Animated alpha texture"},
    {N::ColorTransparencyMeaning, "Цветовой ключ: первый цвет палитры 8-битной текстуры прозрачен",
     "Colour key: the first palette colour of an 8-bit texture is transparent"},
    {N::ExtraSettingsMeaning, "Альфа- и аддитивные эффекты: нужен alfa текстуре, цветовому ключу и смешиванию",
     "Alpha and additive effects: needed by the alpha texture, the colour key and blending"},
    {N::DiffuseChannelMeaning, "Мип-маппинг: уменьшенные копии текстуры для дальних поверхностей",
     "Mip-mapping: smaller copies of the texture for distant surfaces"},

    {N::FlagsWindowCaption, "Флаги материала", "Material flags"},
    {N::FlagWord, "Слово флагов:", "Flag word:"},
    {N::TilingLabel, "Повторений текстуры отражения (0..255):", "Reflection texture tiling (0..255):"},
    {N::BlendLabel, "Смешивание отражения:", "Reflection blending:"},
    {N::MappingLabel, "Наложение отражения:", "Reflection mapping:"},
    {N::TilingRefused, "Число повторений текстуры отражения: от 0 до 255",
     "The reflection texture's tiling: from 0 to 255"},
    {N::ImageAlphaQuestion,
     "С флагом «Прозрачность из самого изображения» alfa текстура не хранится в модели: её имя будет удалено. "
     "Установить флаг?",
     "With the flag \"Alpha from the image itself\" the model stores no alpha texture: its name will be "
     "removed. Set the flag?"},
    {N::SwitchTexturesOff, "Отключение текстур (назначение неясно)", "Textures off (purpose unclear)"},
    {N::SwitchEffects, "Альфа- и аддитивные эффекты (Использовать доп. настройки)", "Alpha and additive effects"},
    {N::SwitchNoWrapU, "Без повтора текстуры по U", "No texture wrap in U"},
    {N::SwitchNoWrapV, "Без повтора текстуры по V", "No texture wrap in V"},
    {N::SwitchHasDiffuse, "Есть основная текстура (по её имени)", "Has a diffuse texture (from its name)"},
    {N::SwitchHasReflection, "Есть текстура отражения (по её имени)", "Has a reflection texture (from its name)"},
    {N::SwitchFullColour, "Текстура в полном цвете", "Full-colour texture"},
    {N::SwitchNoCompression, "Без сжатия текстуры", "No texture compression"},
    {N::SwitchNoCaching, "Без кэширования текстуры", "No texture caching"},
    {N::SwitchMipMapping, "Мип-маппинг (Использовать diff. канал (?))", "Mip-mapping"},
    {N::SwitchImageAlpha, "Прозрачность из самого изображения", "Alpha from the image itself"},
    {N::SwitchAnimatedAlpha, "Анимированная alfa текстура (Подсвечивать alfa текстуру)", "Animated alpha texture"},
    {N::SwitchAnimatedDiffuse, "Анимированная основная текстура (по анимации)",
     "Animated diffuse texture (from the animation)"},
    {N::SwitchColoursOverTexture, "Цвета материала поверх текстуры", "Material colours over the texture"},
    {N::SwitchDoubleSided, "Видимость с двух сторон (Видимость с 2х сторон)", "Visible from both sides"},
    {N::SwitchColorKey, "Цветовой ключ (Использовать прозрачность цветов)", "Colour key"},
    {N::SwitchHasAlpha, "Есть alfa текстура (по её имени)", "Has an alpha texture (from its name)"},
    {N::SwitchAdditive, "Аддитивное смешивание (Подсвечивать diff. текстуру)", "Additive blending"},
    {N::BlendByDensity, "по плотности", "by density"},
    {N::BlendBySurfaceAlpha, "по альфе поверхности", "by surface alpha"},
    {N::BlendMultiply, "умножение", "multiply"},
    {N::BlendMultiplyTwice, "умножение x2", "multiply x2"},
    {N::BlendAdd, "сложение", "additive"},
    {N::MappingReflection, "отражение", "reflection"},
    {N::MappingReflectionZ, "отражение по оси Z", "reflection along Z"},
    {N::MappingPlanar, "плоская проекция", "planar projection"},
    {N::MappingHelperObject, "по вспомогательному объекту", "by a helper object"},

    {N::UsageWindowCaption, "Где используется материал", "Where the material is used"},
    {N::FrameColumn, "Кадр", "Frame"},
    {N::LevelColumn, "Уровень детализации", "Level of detail"},
    {N::FacesColumn, "Граней", "Faces"},
    {N::NoMaterial, "Материал не выбран", "No material chosen"},
    {N::LevelsNote, "Уровень 0 - самый подробный.", "Level 0 is the most detailed."},
    {N::InstancesNote, "У копии кадра - грани кадра, чью геометрию она повторяет.",
     "An instance shows the faces of the frame whose geometry it reuses."},
    {N::UsedByFrames, "Используется: кадров ", "Used by frames: "},
    {N::UsedFaces, ", граней ", ", faces: "},
    {N::UsedGlows, ", свечений ", ", glows: "},
    {N::Unused, "Не используется ни одним кадром", "Used by no frame"},
    {N::UsageUnknown, "Где используется, неизвестно: кадры модели не прочитаны",
     "Where it is used is unknown: the model's frames were not read"},
    {N::InstanceOf, " (копия ", " (instance of "},
    {N::GlowLevel, "свечение", "glow"},
    {N::FramesNotRead, "Кадры модели не прочитаны, где используются материалы, неизвестно: ",
     "The model's frames were not read, where materials are used is unknown: "},
    {N::FrameNumber, "кадр ", "frame "},
    {N::VersionNotRead, "кадры моделей версии ", "the frames of models of version "},
    {N::VersionNotReadEnd, " не читаются", " are not read"},
    {N::UnknownFrameType, "неизвестный тип кадра ", "unknown frame type "},
    {N::UnknownVisualType, "неизвестный тип объекта ", "unknown visual type "},
    {N::EndsBeforeFrameList, "файл кончается до списка кадров", "the file ends before the frame list"},
    {N::EndsInsideFrame, "файл кончается внутри кадра", "the file ends inside a frame"},
    {N::AmbiguousMorph, "неоднозначная запись морфинга", "an ambiguous morph record"},

    {N::ViewerCaption, "Viewer", "Viewer"},
    {N::EnvTab, "Env", "Env"},
    {N::DiffTab, "Diff", "Diff"},
    {N::AlfaTab, "Alfa", "Alpha"},
    {N::ColorKeyTransparency, "Прозрачность: цветовой ключ (первый цвет палитры)",
     "Transparency: colour key (the first palette colour)"},
    {N::ImageAlphaTransparency, "Прозрачность: альфа-канал изображения", "Transparency: the image's alpha channel"},
    {N::NoTransparency, "Прозрачность: нет", "Transparency: none"},
};

constexpr bool rowsFollowTheNames() {
    if (std::size(kTexts) != kTextCount) return false;
    for (std::size_t i = 0; i < kTextCount; ++i)
        if (static_cast<std::size_t>(kTexts[i].name) != i) return false;
    return true;
}
static_assert(rowsFollowTheNames(), "one row a name, in the order of the names");

Language shownLanguage = Language::Russian;

}  // namespace

const char* textIn(Language language, TextName name) {
    const TextRow& row = kTexts[static_cast<std::size_t>(name)];
    return language == Language::English ? row.english : row.russian;
}

const char* text(TextName name) { return textIn(shownLanguage, name); }

bool sameInEveryLanguage(TextName name) {
    switch (name) {
        case N::MenuLanguage:
        case N::LanguageRussian:
        case N::LanguageEnglish:
        case N::CantReadFile:
        case N::CantWriteFile:
            return true;
        default:
            return false;
    }
}

Language currentLanguage() { return shownLanguage; }

void setLanguage(Language language) { shownLanguage = language; }

const char* languageCode(Language language) { return language == Language::English ? "en" : "ru"; }

Language languageOfCode(std::string_view code) { return code == "en" ? Language::English : Language::Russian; }

}  // namespace editor
