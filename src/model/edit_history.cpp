#include "model/edit_history.h"

#include <utility>

namespace model {

void EditHistory::record(std::int32_t number, MaterialState before, MaterialState after) {
    steps_.resize(done_);
    if (saved_ && *saved_ > done_) saved_.reset();  // the saved state could only have been redone
    steps_.push_back({number, std::move(before), std::move(after)});
    ++done_;
    if (steps_.size() > kMostSteps) {
        steps_.pop_front();
        --done_;
        if (saved_) saved_ = *saved_ == 0 ? std::nullopt : std::optional<std::size_t>(*saved_ - 1);
    }
}

const EditHistory::Step &EditHistory::undo() { return steps_[--done_]; }

const EditHistory::Step &EditHistory::redo() { return steps_[done_++]; }

void EditHistory::clear() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
}

}  // namespace model
