// Always-on check for programmer errors. Never used for file contents or user
// input: those get a result code and a message instead.
#pragma once

#include <cstdio>
#include <cstdlib>

#define talvor_assert(cond)                                                                 \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: internal error: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)

// Marks a deliberate exact float comparison, where the rule is equality of the
// stored values and not a tolerance.
template <typename T>
constexpr bool EXACT(T a, T b) {
    return a == b;
}
