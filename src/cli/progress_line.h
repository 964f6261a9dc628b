// How far a run over many models is, on one terminal line that keeps being
// redrawn: "120 of 1000 models".
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <ostream>

namespace cli {

// The stream when it is the process's standard error and that is a
// terminal; nothing otherwise (a pipe, a file, a test's stream), so that
// no progress ends up in what a script reads.
std::ostream* progressTerminal(std::ostream& err);

class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;
    // The line changes at most ten times a second.
    static constexpr Clock::duration kRedrawInterval = std::chrono::milliseconds(100);

    // Shows nothing when `terminal` is null.
    ProgressLine(std::ostream* terminal, std::size_t found) : terminal_(terminal), found_(found) {}
    ~ProgressLine() { erase(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Draws "DONE of FOUND models", unless the line was drawn less than
    // kRedrawInterval before `now`.
    void update(std::size_t done, Clock::time_point now = Clock::now());
    // Takes the line off the terminal, so that other output can be written
    // there; a later update draws it again.
    void erase();

private:
    std::ostream* terminal_;
    std::size_t found_;
    std::size_t shownWidth_ = 0;  // characters on the terminal; 0 when erased
    std::optional<Clock::time_point> lastDrawn_;
};

}  // namespace cli
