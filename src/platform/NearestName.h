// The name a mistyped word was most likely meant to be, for "您是否要用 … ?".
#pragma once

#include <string>
#include <vector>

// The candidate nearest to word: a letter off for every three letters of the
// name (a swap of two neighbours counts as one), or the only candidate that
// word begins; empty when none is that close. Leading dashes of an option do
// not count as letters.
std::string NearestName(const std::string& word, const std::vector<std::string>& candidates);
