// The material properties panel of the editor's main window, worked from
// outside as a user works it: its controls found by their ids, presses and
// drags of the pointer's buttons on the sliders, what the check boxes and
// the colour swatches show on screen, the colour dialog and the message
// boxes. PanelSession wraps one run of the editor with a
// model of the test's own, opened, shown row by row and saved through the
// program's menu.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "model/model_file.h"
#include "temp_folder.h"

namespace panel_driver {

// --- The panel's controls -----------------------------------------------------------

// One colour channel: its sliders from top to bottom and its swatch.
struct ChannelControls {
    HWND red = nullptr;
    HWND green = nullptr;
    HWND blue = nullptr;
    HWND swatch = nullptr;
};

struct PanelControls {
    HWND materialList = nullptr;
    ChannelControls ambient;
    ChannelControls diffuse;
    ChannelControls emission;
    HWND reflectionDensityBar = nullptr;
    HWND diffuseDensityBar = nullptr;
    HWND reflectionNameBox = nullptr;
    HWND diffuseNameBox = nullptr;
    HWND alphaNameBox = nullptr;
    HWND animateBox = nullptr;  // "Анимировать текстуру"
    HWND framesBox = nullptr;
    HWND delayBox = nullptr;
    HWND diffuseChannelBox = nullptr;     // "Использовать diff. канал (?)"
    HWND extraSettingsBox = nullptr;      // "Использовать доп. настройки"
    HWND doubleSidedBox = nullptr;        // "Видимость с 2х сторон "
    HWND diffuseHighlightBox = nullptr;   // "Подсвечивать diff. текстуру "
    HWND alphaHighlightBox = nullptr;     // "Подсвечивать alfa текстуру"
    HWND colorTransparencyBox = nullptr;  // "Использовать прозрачность цветов "

    // The six flag boxes, in the order of the material's flag table.
    std::array<HWND, 6> flagBoxes() const;
    // Every control above was found.
    bool complete() const;
};
// Found by their ids.
PanelControls findPanelControls(HWND mainWindow);

// --- The pointer's buttons ------------------------------------------------------------

enum class Button { Left, Right, Middle };

// Moves the pointer to (x, y) of the window's client area and presses the
// button there; false when the pointer could not be put there.
bool pressAt(HWND window, int x, int y, Button button);
// Releases the button wherever the pointer is.
void release(Button button);

// The middle line of a slider, where a user takes it.
int sliderMiddle(HWND bar);
// The x over a slider of 0..100 that stands for the position: the pointer
// there asks for it (the right end itself, 100, lies beyond the last pixel).
int sliderX(HWND bar, int position);
// A click with that button on the slider at x.
bool clickSlider(HWND bar, int x, Button button);
// Takes the slider with the left button at the first x, moves the pointer
// over it to each further x with the button held, and releases it there.
bool dragSlider(HWND bar, const std::vector<int>& xs);

// Clicks the edit box and waits until it has the keyboard focus, keeping
// its text.
bool focusBox(HWND box);

// --- What the screen shows --------------------------------------------------------------

// Waits until the window's picture has stayed the same for a while, so that
// painting asked for by earlier input is done.
void waitForSteadyPicture(HWND window);
// Whether a gradient check box shows its check mark: this program draws
// the mark in pure red or pure blue, colours that nothing else in a box has.
bool showsCheckMark(HWND checkBox);
// Waits until the box shows the mark, or shows none; true once it does.
bool waitForCheckMark(HWND checkBox, bool checked);
// The colour a swatch is filled with, read in its middle (0x00RRGGBB).
std::uint32_t swatchColour(HWND swatch);
// Waits until the swatch shows that colour; true once it does.
bool waitForSwatchColour(HWND swatch, std::uint32_t colour);

// --- Dialogs ------------------------------------------------------------------------------

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};
void PrintTo(const Rgb& colour, std::ostream* out);

// The colour dialog (ChooseColor) of the program, with its custom-colour
// part open; nullptr when none comes.
HWND waitForColourDialog(const editor_driver::EditorSession& session);
// The colour its red, green and blue boxes show; none when they show no
// numbers.
std::optional<Rgb> colourDialogValues(HWND dialog);
// Types the colour into the red, green and blue boxes; true once the
// dialog shows it.
bool typeColour(HWND dialog, const Rgb& colour);

enum class MessageIcon { None, Information, Warning, Error, Question, Unknown };
void PrintTo(MessageIcon icon, std::ostream* out);

// A message box as the user saw it.
struct SeenMessageBox {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::Unknown;
    std::vector<std::string> buttons;  // captions of the buttons shown
    bool hasOwner = false;
    bool mainWindowEnabled = false;  // while the box was up
};

// Waits for a message box, reads it and closes it with the button (IDOK,
// IDYES, ...); none when no box came, or when it did not go.
std::optional<SeenMessageBox> answerMessageBox(editor_driver::EditorSession& session, int button = IDOK);
// Waits until the program has taken the input given before and its main
// window shows the outcome. For input whose outcome cannot be waited for
// by itself (a value taken without any change on screen). It leaves the
// keyboard with the search box.
void waitForInputHandled(editor_driver::EditorSession& session);
// While a mouse button is held, no mark can be typed: gives the program a
// moment for the pointer's moves and waits until its picture is steady.
// Only for a check that a held button's moves changed nothing.
void settleWithTheButtonHeld(editor_driver::EditorSession& session);
// True when no dialog or message box of the program is up once its input
// has been handled.
bool noDialogComes(editor_driver::EditorSession& session);

// --- One run of the editor with a model --------------------------------------------------

// The editor started in a folder of its own with a texture folder that
// exists, and the model file "model.4ds" in a second folder beside it.
class PanelSession {
public:
    // With no texture folder given, the model's folder serves as one.
    explicit PanelSession(const std::optional<std::string>& textureFolder = std::nullopt);

    // Empty once the program is up with its main window and every panel
    // control found; otherwise what is missing.
    const std::string& problem() const { return problem_; }
    editor_driver::EditorSession& editor() { return editor_; }
    HWND mainWindow() { return editor_.mainWindow(); }
    const PanelControls& controls() const { return controls_; }

    // Writes the model file and opens it with "Файл" → "Открыть..";
    // true once the list shows its first material.
    bool open(const std::string& fileBytes);
    // Opens the model file again, as it lies on disk now.
    bool reopen();
    // Clicks the list's row; true once the row is selected and shown.
    bool selectRow(int row);
    // "Файл" → "Сохранить", true once the command is done.
    bool save();
    // The model file as it lies on disk now; empty when there is none.
    std::string fileBytes() const;
    // Reads the model file with the model's own code.
    bool load(model::ModelFile& into) const;

    // The texts of the list's rows.
    std::vector<std::string> rows() const { return editor_.listRows(controls_.materialList); }
    // The model file's path, as the program's texts hold paths.
    std::string modelPath() const;

private:

    test_support::TempFolder models_;
    editor_driver::EditorSession editor_;
    PanelControls controls_;
    std::string problem_;
};

}  // namespace panel_driver
