// The verification cases: items with hand-calculated or published results,
// each in a folder with the item (item.TV), or one reinforced section
// (section.txt, key=value lines), and its expected values (expected.txt).
// Every case is run as the calculate command runs it and its figures are taken
// from the run's result as the report prints them, so what is checked is what
// the engineer reads.
#pragma once

#include <string>
#include <vector>

struct VerifyCheck {
    std::string caseName;  // the folder's name
    std::string quantity;  // e.g. "fs_implicit", "block1.weight"
    double expected = 0.0, tolerance = 0.0, computed = 0.0;
    bool found = false;  // the run has the figure
    bool passed() const;
};

struct VerifyResult {
    std::vector<VerifyCheck> checks;
    std::vector<std::string> errors;  // cases that could not be run
    bool passed() const;
};

// Every case folder directly under dir, in name order. expected.txt holds one
// check a line: quantity, expected value, tolerance; "#" starts a comment.
VerifyResult RunVerification(const std::string& dir);

// One line per check: case, quantity, expected, computed, difference, verdict.
std::string VerificationTable(const VerifyResult& result);
