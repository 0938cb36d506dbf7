// How a long search (back-calculation, design sweep) is watched and stopped
// from outside, and what it tells about its own ending. The desktop program
// drives a progress display from the callback; the command line may ignore it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

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

// What a design found, for the report's explanation and the run's checks:
// the criterion, the winner and where it lies in its range, or the trial
// that came closest when none met the criterion.
// One candidate pile kind of a pile design: the layout found, or none.
struct PileCandidate {
    int kind = 0;  // 0-based
    bool laidOut = false;
    int rows = 0;
    float spacing = 0.0f;
    float resistance = 0.0f;  // kN per metre width the layout provides
};

struct DesignFacts {
    enum class Kind { Piles, Sweep } kind = Kind::Sweep;
    // Sweep: a trial meets the criterion when Hx < resistance.
    float resistance = 0.0f;          // Rp, kN per metre width (0 without piles)
    float first = 0.0f, last = 0.0f;  // the first and last trial value
    int trials = 0;
    int best = -1;  // the winner's trial, -1: none
    float bestValue = 0.0f, bestThrust = 0.0f, bestVolume = 0.0f;
    int closest = -1;  // the trial with the least Hx
    float closestValue = 0.0f, closestThrust = 0.0f;
    // Piles: the horizontal thrust at the first row and, when no candidate
    // resists it, the one that comes closest with 20 rows at the least spacing.
    float H = 0.0f;
    int closestKind = -1;
    float closestResistance = 0.0f;
    std::vector<PileCandidate> candidates;  // in the order tried
    // Winners at an edge of what the search could try, in words.
    std::vector<std::string> edges;
};

struct SearchSummary {
    int iterations = 0;  // trials (thrust passes) run
    SearchStop stop = SearchStop::NotRun;
    std::string message;
    // A design that ran every case without finding one that meets the
    // requirement: the run still succeeds, batch runs want to know.
    bool noneSatisfies = false;
    std::optional<DesignFacts> design;  // set by the designs
};

// Asks the callback, if any, whether to go on after `done` of `total` trials.
inline bool searchGoesOn(const SearchOptions& options, int done, int total) {
    return !options.progress || options.progress(done, total);
}
