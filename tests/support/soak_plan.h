// How long a soak test runs and on which seeds: by default seeds 1, 2, 3 ...
// within a time budget; SKIRVANE_SOAK_SECONDS sets the budget and
// SKIRVANE_SOAK_SEED runs the one seed given, whole, to replay a failure.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace test_support {

class SoakPlan {
public:
    // `actionsPerSeed` is how many actions one seed's script has.
    SoakPlan(std::chrono::seconds defaultBudget, int actionsPerSeed);

    // The next seed to run, or nothing once the plan is done.
    std::optional<std::uint32_t> nextSeed();
    // Whether a script may go on with another action: always for a seed
    // given by name, else while the budget lasts.
    bool timeLeft() const;
    int actionsPerSeed() const { return actionsPerSeed_; }

private:
    std::chrono::steady_clock::time_point end_;
    std::optional<std::uint32_t> givenSeed_;
    std::uint32_t next_ = 1;
    bool started_ = false;
    int actionsPerSeed_;
};

}  // namespace test_support
