// How a long search (back-calculation, design sweep) is watched and stopped
// from outside, and what it tells about its own ending. The desktop program
// drives a progress display from the callback; the command line may ignore it.
#pragma once

#include <functional>
#include <string>

struct SearchOptions {
    // Called after every trial with the trials done and the most the search
    // can run; returning false cancels the search. May be empty.
    std::function<bool(int done, int total)> progress;

    bool isValid(std::string* why) const {
        (void)why;  // every combination of the fields above is usable
        return true;
    }
};

enum class SearchStop {
    NotRun,     // the search has not started
    Converged,  // a bisection reached its tolerance
    Exhausted,  // every trial (or step) allowed was run
    Settled,    // decided at a bound without searching (stable or unstable there)
    Refused,    // the input makes the search meaningless; nothing was searched
    Cancelled,  // the progress callback asked to stop
};

struct SearchSummary {
    int iterations = 0;  // trials (thrust passes) run
    SearchStop stop = SearchStop::NotRun;
    std::string message;
    // A design that ran every case without finding one that meets the
    // requirement: the run still succeeds, batch runs want to know.
    bool noneSatisfies = false;
};

// Asks the callback, if any, whether to go on after `done` of `total` trials.
inline bool searchGoesOn(const SearchOptions& options, int done, int total) {
    return !options.progress || options.progress(done, total);
}
