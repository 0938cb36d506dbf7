// Our printf must give printf's text to the byte: every report line relies on it.
#include "platform/PrintfFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

__attribute__((format(printf, 1, 2))) std::string ours(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string s = "<";  // text already in the buffer stays in front
    appendPrintf(s, fmt, args);
    va_end(args);
    return s;
}

__attribute__((format(printf, 1, 2))) std::string libc(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::vector<char> buf(4096);
    const int n = std::vsnprintf(buf.data(), buf.size(), fmt, args);
    va_end(args);
    std::string s = "<";
    s.append(buf.data(), n < 0 ? 0 : n);
    return s;
}

#define EXPECT_AS_PRINTF(...) EXPECT_EQ(ours(__VA_ARGS__), libc(__VA_ARGS__))

TEST(PrintfFormat, ReportConversionsAndFallbacks) {
    EXPECT_AS_PRINTF("    第 %d 块滑体\n", 17);
    EXPECT_AS_PRINTF("%d|%5d|%-5d|%05d|%i|%u|%ld|%lld", -42, -42, -42, -42, INT32_MIN, 4000000000u,
                     -7L, std::numeric_limits<long long>::min());
    EXPECT_AS_PRINTF("%hhd|%hd|%+d|% d|%.3d|%x|%#X|%o|%zu|%+ld|%lx|%.20llu", 300, 70000, 5, 5, 7,
                     255u, 255u, 8u, static_cast<size_t>(12), -9L, ~0UL, 1ULL << 63);
    EXPECT_AS_PRINTF("%s|%10s|%-10s|%.2s|%5.1s|%c|%3c|%-3c|%%|100%%", "桩", "abc", "abc", "abcdef",
                     "xyz", 'q', 'r', 's');
    EXPECT_AS_PRINTF("%*d|%-*d|%*d|%.*f|%.*f|%*.*f", 6, 1, 6, 2, -6, 3, 2, 1.005, -1, 2.5, 9, 2,
                     3.14159);
    EXPECT_AS_PRINTF("%f|%.0f|%.3f|%10.3f|%-10.3f|%010.3f|%+.3f|% .3f|%#.0f|%F", 1.0 / 3, 2.5, -0.0,
                     -1.2345, 1.2345, -1.2345, 1.0, 1.0, 3.0, 2.0);
    EXPECT_AS_PRINTF("%e|%.2E|%g|%G|%a|%Lf|%.3Lf", 12345.678, 0.000123, 1e-5, 1e20, 1.0, 1.5L,
                     2.0005L);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_AS_PRINTF("%.3f|%8.3f|%-8.3f|%08.3f|%.3f|%f", inf, -inf, nan, -nan, 1e300, -1e-300);
    EXPECT_AS_PRINTF("%.3f|%.3f|%.3f|%.4f", -0.0004, 0.0005, 1e15 + 0.5, 0x1.73950e2f1a0f4p-14);
}

// Decimal digits of random floats at every width and precision the reports
// use, exact ties (k / 2^j) included: to_chars must round as printf does.
TEST(PrintfFormat, FixedPointDigitsEqualPrintf) {
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<uint32_t> bits;
    int mismatches = 0;
    for (int i = 0; i < 20000 && mismatches < 5; ++i) {
        std::vector<double> values;
        values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
        // A float's bit pattern, as report values are floats promoted to double.
        uint32_t b = bits(rng);
        float f;
        std::memcpy(&f, &b, sizeof f);
        values.push_back(f);
        values.push_back(static_cast<double>(static_cast<int>(bits(rng) % 200001) - 100000) /
                         static_cast<double>(1u << (i % 16)));
        for (double v : values)
            for (int p = 0; p <= 6; ++p) {
                const std::string a = ours("%.*f|%12.*f|%-12.*f|%012.*f", p, v, p, v, p, v, p, v);
                const std::string b2 = libc("%.*f|%12.*f|%-12.*f|%012.*f", p, v, p, v, p, v, p, v);
                EXPECT_EQ(a, b2);
                mismatches += a != b2;
            }
    }
}

}  // namespace
