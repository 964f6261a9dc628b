// What a user does in the editor, as data: clicks on rows and arrow keys,
// the bars, the check boxes, typing into the boxes, the colour dialog,
// search, undo and redo, saving and closing. Random scripts of such
// actions, over random models with every layout a record has, drive the
// soak tests of the editor and of the model code; each action prints as
// a line, so that a failing script can be read and replayed from its seed.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>

#include "model_bytes.h"

namespace test_support {

class ExpectedEditor;

enum class ActionKind {
    ClickRow,  // index: the row
    ArrowUp,   // in the list
    ArrowDown,
    DragBar,          // index: the bar; from, to: positions
    ClickBar,         // index: the bar; to: the position the left button asks for
    RightClickBar,    // index: the bar; it jumps between its ends
    ToggleFlag,       // index: the flag box, in the order of the material's flag table
    TypeName,         // index: the texture kind; text typed without Enter
    EnterName,        // the same, then Enter
    ToggleAnimation,  // "Анимировать текстуру"
    EnterFrames,      // text, then Enter
    EnterDelay,
    ChooseColour,    // index: the channel; colour: red, green, blue, confirmed in the dialog
    Search,          // text, then Enter in the search box
    ShowAll,         // "Показать все"
    Undo,            // Ctrl+Z
    Redo,            // Ctrl+Y
    Save,            // "Файл" → "Сохранить"
    CloseAndCancel,  // the close box, and Cancel to the question about saving
};

// The eleven bars: the channels' red, green and blue (ambient 0..2, diffuse
// 3..5, emission 6..8), then the reflection density and the density.
constexpr int kColourBars = 9;
constexpr int kReflectionDensityBar = 9;
constexpr int kDensityBar = 10;
constexpr int kBars = 11;

struct UserAction {
    ActionKind kind = ActionKind::Save;
    int index = 0;
    int from = 0;
    int to = 0;
    std::string text;  // code page 1251, as typed
    std::array<int, 3> colour{};
};

// One line, such as "enter name Diff \"stone\"".
std::string describe(const UserAction& action);

// A model of 6..30 materials with every layout a record has: reflection,
// alpha and animation parts, names empty behind their bits, bits the format
// does not name, floats outside 0..1, long and Cyrillic names; version 29
// mostly, 41 now and then. Each record holds what reading it gives (an
// empty alpha name where none is stored, zeros where no part is).
ModelBytes randomEditingModel(std::mt19937& random);

// An action the user could take now: only rows that are there, the
// frame-count and delay boxes only while they are enabled, the close box
// only when the program would ask about unsaved changes.
UserAction randomAction(std::mt19937& random, const ExpectedEditor& editor);

}  // namespace test_support
