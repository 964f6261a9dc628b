// Which look a gradient control shows and how it changes: transitions with
// their progress and the interaction rules that start them.
#include "toolkit/gradient/gradient_transitions.h"

#include <gtest/gtest.h>

namespace {

using namespace toolkit::gradient;

// --- transitions -------------------------------------------------------------------

TEST(TransitionTest, EachTransitionBlendsFromItsSourceToItsTarget) {
    EXPECT_EQ(transitionLooks(NormalToOver).source, NormalIndex);
    EXPECT_EQ(transitionLooks(NormalToOver).target, OverIndex);
    EXPECT_EQ(transitionLooks(NormalToDown).target, DownIndex);
    EXPECT_EQ(transitionLooks(OverToNormal).source, OverIndex);
    EXPECT_EQ(transitionLooks(OverToNormal).target, NormalIndex);
    EXPECT_EQ(transitionLooks(OverToDown).target, DownIndex);
    EXPECT_EQ(transitionLooks(DownToNormal).source, DownIndex);
    EXPECT_EQ(transitionLooks(DownToNormal).target, NormalIndex);
    EXPECT_EQ(transitionLooks(DownToOver).target, OverIndex);
}

TEST(TransitionTest, TicksAddTheSpeedsStepUntilFull) {
    const int ticksBySpeed[] = {1, 3, 5, 8, 11, 16};
    for (int speed = 0; speed <= kSlowestSpeed; ++speed) {
        TransitionState state;
        startTransition(state, NormalToOver, Trigger::Enter);
        int ticks = 0, last = 0;
        while (!tickTransition(state, speed)) {
            ++ticks;
            EXPECT_EQ(state.progress - last, transitionStep(speed));
            last = state.progress;
        }
        EXPECT_EQ(ticks + 1, ticksBySpeed[speed]) << speed;
        EXPECT_EQ(state.progress, kFullProgress);
        EXPECT_FALSE(state.running);
        EXPECT_FALSE(tickTransition(state, speed));
    }
    EXPECT_EQ(transitionStep(9), transitionStep(kSlowestSpeed));
}

TEST(TransitionTest, ReversingTheRunningTransitionStartsFromTheReachedPoint) {
    TransitionState state;
    startTransition(state, NormalToOver, Trigger::Enter);
    tickTransition(state, 2);
    tickTransition(state, 2);
    ASSERT_EQ(state.progress, 26);
    startTransition(state, OverToNormal, Trigger::Leave);
    EXPECT_EQ(state.progress, 64 - 26);
    EXPECT_EQ(state.transition, OverToNormal);
    tickTransition(state, 2);
    startTransition(state, NormalToOver, Trigger::Enter);
    EXPECT_EQ(state.progress, 64 - 51);

    startTransition(state, OverToDown, Trigger::Press);
    EXPECT_EQ(state.progress, 0);  // over-to-down does not reverse normal-to-over
    tickTransition(state, 2);
    startTransition(state, DownToOver, Trigger::Release);
    EXPECT_EQ(state.progress, 64 - 13);
    startTransition(state, OverToDown, Trigger::Press);
    EXPECT_EQ(state.progress, 13);
}

TEST(TransitionTest, FinishedTransitionIsNotReversed) {
    TransitionState state;
    startTransition(state, NormalToOver, Trigger::Enter);
    while (!tickTransition(state, 0)) {
    }
    startTransition(state, OverToNormal, Trigger::Leave);
    EXPECT_EQ(state.progress, 0);
}

TEST(TransitionTest, LeavingDuringAPressStartsAfresh) {
    TransitionState state;
    startTransition(state, OverToDown, Trigger::Press);
    tickTransition(state, 2);
    startTransition(state, DownToNormal, Trigger::Leave);
    EXPECT_EQ(state.progress, 0);
}

// --- interaction -------------------------------------------------------------------

TEST(InteractionTest, HoverAndLeaveRunTheOverTransitions) {
    Interaction state;
    EXPECT_EQ(pointerEntered(state).transition, NormalToOver);
    EXPECT_TRUE(state.over);
    const Reaction left = pointerLeft(state);
    EXPECT_EQ(left.transition, OverToNormal);
    EXPECT_EQ(left.trigger, Trigger::Leave);
    EXPECT_FALSE(state.over);
}

TEST(InteractionTest, MouseClickPressesAndReleasesOverTheControl) {
    Interaction state;
    pointerEntered(state);
    const Reaction down = leftButtonDown(state);
    EXPECT_EQ(down.transition, OverToDown);
    EXPECT_FALSE(down.released);
    EXPECT_TRUE(state.pressed);
    const Reaction up = leftButtonUp(state);
    EXPECT_TRUE(up.released);
    EXPECT_EQ(up.transition, DownToOver);
    EXPECT_FALSE(state.pressed);
    EXPECT_EQ(state.source, PressSource::None);
}

TEST(InteractionTest, LeavingDuringAMousePressCancelsIt) {
    Interaction state;
    pointerEntered(state);
    leftButtonDown(state);
    EXPECT_EQ(pointerLeft(state).transition, DownToNormal);
    EXPECT_FALSE(state.pressed);
    const Reaction up = leftButtonUp(state);
    EXPECT_FALSE(up.released);
    EXPECT_EQ(up.transition, NoTransition);
}

TEST(InteractionTest, KeyboardPressOutlastsThePointer) {
    Interaction state;
    EXPECT_EQ(spaceDown(state).transition, NormalToDown);
    EXPECT_EQ(pointerEntered(state).transition, NoTransition);
    EXPECT_TRUE(state.over);
    EXPECT_EQ(pointerLeft(state).transition, NoTransition);
    EXPECT_TRUE(state.pressed);
    EXPECT_EQ(spaceDown(state).transition, NoTransition);  // the key repeats
    EXPECT_FALSE(leftButtonUp(state).released);
    const Reaction up = spaceUp(state);
    EXPECT_TRUE(up.released);
    EXPECT_EQ(up.transition, DownToNormal);
}

TEST(InteractionTest, LosingTheFocusEndsOnlyAKeyboardPress) {
    Interaction state;
    pointerEntered(state);
    spaceDown(state);
    const Reaction lost = focusLost(state);
    EXPECT_EQ(lost.transition, DownToNormal);
    EXPECT_FALSE(lost.released);
    EXPECT_FALSE(state.pressed);
    EXPECT_FALSE(state.over);
    EXPECT_FALSE(spaceUp(state).released);

    Interaction mouse;
    pointerEntered(mouse);
    leftButtonDown(mouse);
    EXPECT_EQ(focusLost(mouse).transition, NoTransition);
    EXPECT_TRUE(mouse.pressed);
}

TEST(InteractionTest, MouseTakesOverAKeyboardPressWithoutRestartingIt) {
    Interaction state;
    spaceDown(state);
    EXPECT_EQ(leftButtonDown(state).transition, NoTransition);
    EXPECT_EQ(state.source, PressSource::Mouse);
    EXPECT_FALSE(spaceUp(state).released);
    EXPECT_TRUE(leftButtonUp(state).released);
}

}  // namespace
