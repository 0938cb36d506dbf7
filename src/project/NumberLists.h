// The numbered lists the project file and the template index keep: per kind a
// fixed array of item numbers with a count beside it. Numbers are unique over
// all kinds; entries of 0 or below are empty.
#pragma once

#include "platform/InputDiagnostics.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

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

// Notes the entries in use (the first count of each list) that no list may
// hold: numbers outside 1..maxNumber and numbers held twice. A damaged file
// reads as it always has; these say where it is damaged.
template <int maxNumber, size_t kinds, size_t perKind>
void NoteNumberLists(const std::array<int32_t, kinds>& counts,
                     const std::array<std::array<int32_t, perKind>, kinds>& lists,
                     const char* listName, InputDiagnostics& diag) {
    std::array<bool, maxNumber + 1> used{};
    for (size_t k = 0; k < kinds; ++k) {
        for (int32_t i = 0; i < counts[k] && i < static_cast<int32_t>(perKind); ++i) {
            int32_t n = lists[k][i];
            std::string field = std::string(listName) + "[" + std::to_string(k + 1) + "][" +
                                std::to_string(i + 1) + "]";
            if (n < 1 || n > maxNumber) {
                diag.add(0, field, std::to_string(n),
                         "不是 1.." + std::to_string(maxNumber) + " 的编号");
            } else if (used[n]) {
                diag.add(0, field, std::to_string(n), "编号重复");
            }
            if (n >= 1 && n <= maxNumber) used[n] = true;
        }
    }
}
