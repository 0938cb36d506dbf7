// The numbered lists the project file and the template index keep: per kind a
// fixed array of item numbers with a count beside it. Numbers are unique over
// all kinds; entries of 0 or below are empty.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The smallest number in 1..maxNumber that no list holds; 0 when all are used.
template <int maxNumber, size_t kinds, size_t perKind>
int SmallestFreeNumber(const std::array<std::array<int32_t, perKind>, kinds>& lists) {
    std::array<bool, maxNumber + 1> used{};
    for (const auto& list : lists)
        for (int32_t n : list)
            if (n > 0 && n <= maxNumber) used[n] = true;
    for (int n = 1; n <= maxNumber; ++n)
        if (!used[n]) return n;
    return 0;
}

// Appends n to the list; a count read from a foreign file below zero starts
// the list afresh. The caller has checked that the list has room.
template <size_t perKind>
void AppendNumber(std::array<int32_t, perKind>& list, int32_t& count, int n) {
    if (count < 0) count = 0;
    list[count] = n;
    ++count;
}

// Removes the entry at position, moving the following ones up and clearing the
// last; false when the position is not in the list.
template <size_t perKind>
bool RemoveNumberAt(std::array<int32_t, perKind>& list, int32_t& count, int position) {
    if (count <= 0 || position < 0 || position >= count) return false;
    for (int i = position; i + 1 < count; ++i) list[i] = list[i + 1];
    list[count - 1] = 0;
    --count;
    return true;
}
