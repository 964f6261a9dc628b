#include "soak_plan.h"

#include <cstdlib>
#include <string>

namespace test_support {

namespace {

std::optional<long long> numberFromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return std::nullopt;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (*end != '\0' || value < 0) return std::nullopt;
    return value;
}

}  // namespace

SoakPlan::SoakPlan(std::chrono::seconds defaultBudget, int actionsPerSeed) : actionsPerSeed_(actionsPerSeed) {
    const std::optional<long long> seconds = numberFromEnvironment("SKIRVANE_SOAK_SECONDS");
    end_ = std::chrono::steady_clock::now() + (seconds ? std::chrono::seconds(*seconds) : defaultBudget);
    if (const std::optional<long long> seed = numberFromEnvironment("SKIRVANE_SOAK_SEED"))
        givenSeed_ = static_cast<std::uint32_t>(*seed);
}

std::optional<std::uint32_t> SoakPlan::nextSeed() {
    if (givenSeed_) {
        if (started_) return std::nullopt;
        started_ = true;
        return givenSeed_;
    }
    // The first seed always runs, so that a short budget still tests something.
    if (started_ && !timeLeft()) return std::nullopt;
    started_ = true;
    return next_++;
}

bool SoakPlan::timeLeft() const { return givenSeed_ || std::chrono::steady_clock::now() < end_; }

}  // namespace test_support
