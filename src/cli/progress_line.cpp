#include "cli/progress_line.h"

#include <cstdio>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace cli {

std::ostream* progressTerminal(std::ostream& err) {
#ifdef _WIN32
    const bool terminal = _isatty(_fileno(stderr)) != 0;
#else
    const bool terminal = isatty(fileno(stderr)) != 0;
#endif
    return &err == &std::cerr && terminal ? &err : nullptr;
}

void ProgressLine::update(std::size_t done, Clock::time_point now) {
    if (terminal_ == nullptr || (lastDrawn_ && now - *lastDrawn_ < kRedrawInterval)) return;
    // The count only grows, so each line covers the one before it.
    const std::string line = std::to_string(done) + " of " + std::to_string(found_) + " models";
    *terminal_ << '\r' << line << std::flush;
    shownWidth_ = line.size();
    lastDrawn_ = now;
}

void ProgressLine::erase() {
    if (terminal_ == nullptr || shownWidth_ == 0) return;
    *terminal_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
    shownWidth_ = 0;
}

}  // namespace cli
