// Which look a gradient control shows and how it changes to another: the
// looks by index, the transitions between them with their progress, and the
// interaction rules by which the pointer, the buttons, the space key and
// the focus start them. Plain state and integers, tested on every platform.
#pragma once

namespace toolkit::gradient {

// The looks of a control, by index: normal, pointer over it, pressed and
// disabled. A control keeps one picture of each; transitions blend two.
enum LookIndex : int { NormalIndex = 0, OverIndex = 1, DownIndex = 2, DisabledIndex = 3 };
constexpr int kLookCount = 4;

enum Transition : int {
    NoTransition = -1,
    NormalToOver = 0,
    NormalToDown = 1,
    OverToNormal = 2,
    OverToDown = 3,
    DownToNormal = 4,
    DownToOver = 5,
};

struct TransitionLooks {
    LookIndex source;
    LookIndex target;
};
TransitionLooks transitionLooks(Transition transition);

constexpr int kFullProgress = 64;
constexpr int kSlowestSpeed = 5;

// What one tick adds to the progress at a speed index (0 fastest ... 5);
// an index above 5 counts as 5.
int transitionStep(int speedIndex);

// What started a transition: reversing the one that runs keeps the point
// it reached.
enum class Trigger { Enter, Leave, Press, Release };

struct TransitionState {
    Transition transition = NoTransition;
    int progress = 0;  // 0 ... 64
    bool running = false;
};

// Starts a transition: the progress goes to 0, or to 64 - progress when
// it reverses the one running (entering during over-to-normal, leaving
// during normal-to-over, pressing during down-to-over, releasing during
// over-to-down).
void startTransition(TransitionState& state, Transition transition, Trigger trigger);

// One tick: adds the step; above 63 the progress is 64 and the transition
// stops. True when it stopped now.
bool tickTransition(TransitionState& state, int speedIndex);

enum class PressSource { None, Keyboard, Mouse };

// The pointer and press state of a control that reacts to the mouse.
struct Interaction {
    bool over = false;
    bool pressed = false;
    PressSource source = PressSource::None;
};

// What an input event asks of the control: a transition to start, and
// whether a press was released (a check box then toggles, and the click
// event runs).
struct Reaction {
    Transition transition = NoTransition;
    Trigger trigger = Trigger::Enter;
    bool released = false;
};

Reaction pointerEntered(Interaction& state);
Reaction pointerLeft(Interaction& state);
Reaction leftButtonDown(Interaction& state);
Reaction leftButtonUp(Interaction& state);
Reaction spaceDown(Interaction& state);
Reaction spaceUp(Interaction& state);
// Losing the focus in the middle of a keyboard press ends it as leaving does.
Reaction focusLost(Interaction& state);

}  // namespace toolkit::gradient
