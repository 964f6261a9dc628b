// The edits made to the materials of one model, for undo and redo. A step
// is one change that reached a material: its number and its whole state
// before and after, so that undo gives back exactly the bytes that were
// there. The history also knows the step at which the model was last saved,
// so that undoing back there means nothing is unsaved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "model/material.h"

namespace model {

class EditHistory {
public:
    // The steps kept, the newest; a step holds one material twice, at most
    // about 1.9 KB with three names of 255 characters (2 MB for all).
    static constexpr std::size_t kMostSteps = 1000;

    struct Step {
        std::int32_t number;  // of the material, from 1
        MaterialState before;
        MaterialState after;
    };

    // A new change: the steps that could be redone go, and the oldest step
    // when the history is full.
    void record(std::int32_t number, MaterialState before, MaterialState after);
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The step undone, whose `before` the material gets back; only when
    // canUndo.
    const Step &undo();
    // The step redone, whose `after` the material gets back; only when
    // canRedo.
    const Step &redo();
    // A model was opened: no steps, and what is open is what was saved.
    void clear();

    void markSaved() { saved_ = done_; }
    // The materials are as they were when the model was last saved (or
    // opened).
    bool atSaved() const { return saved_ == done_; }

    std::size_t stepCount() const { return steps_.size(); }

private:
    std::deque<Step> steps_;
    std::size_t done_ = 0;  // steps done, the rest can be redone
    // The value of done_ at the last save; none once that state has left
    // the history.
    std::optional<std::size_t> saved_ = 0;
};

}  // namespace model
