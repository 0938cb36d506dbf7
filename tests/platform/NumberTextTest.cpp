// The printf and strtod versions of the number texts against the library's
// to_chars and from_chars, on random bit patterns (every exponent, the
// subnormals and powers of two among them) and on values near the program's
// own: the WebAssembly build writes its numbers with them.
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#if defined(__cpp_lib_to_chars)
namespace {

// Enough to meet every branch many times in about a second; `make bench`
// runs a million.
int valueCount() {
    const char* n = std::getenv("TALVOR_NUMBER_TEXT_VALUES");
    return n ? std::atoi(n) : 30000;
}

double randomDouble(std::mt19937_64& rng) {
    switch (rng() % 4) {
        case 0:
            return std::bit_cast<double>(rng());
        case 1:  // a power of two, where the decimals that read back are lopsided
            return std::ldexp(1.0, static_cast<int>(rng() % 2098) - 1074);
        case 2:  // a float widened, as drawings write their coordinates
            return std::bit_cast<float>(static_cast<uint32_t>(rng()));
        default:  // a typed value of a few places
            return static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) /
                   std::pow(10.0, static_cast<double>(rng() % 7));
    }
}

using Text = std::string;
template <typename F>
Text text(F f) {
    char buf[1200];
    std::to_chars_result r = f(buf, buf + sizeof buf);
    return r.ec == std::errc() ? Text(buf, r.ptr) : Text("error");
}

struct Read {
    double v;
    long used;
    std::errc ec;
};
bool operator==(const Read& a, const Read& b) {
    const bool same = std::isnan(a.v)
                          ? std::isnan(b.v) && std::signbit(a.v) == std::signbit(b.v)
                          : std::bit_cast<uint64_t>(a.v) == std::bit_cast<uint64_t>(b.v);
    return same && a.used == b.used && a.ec == b.ec;
}
template <typename F>
Read read(const std::string& s, F f) {
    Read r{-7.0, 0, std::errc()};
    std::from_chars_result fr = f(s.data(), s.data() + s.size(), r.v);
    r.used = fr.ptr - s.data();
    r.ec = fr.ec;
    return r;
}

void expectSameReading(const std::string& s, std::chars_format format) {
    const auto mine = read(s, [&](const char* a, const char* b, double& v) {
        return printfNumberText::parseDouble(a, b, v, format);
    });
    const auto library = read(s, [&](const char* a, const char* b, double& v) {
        return std::from_chars(a, b, v, format);
    });
    EXPECT_TRUE(mine == library) << '"' << s << "\" hex " << (format == std::chars_format::hex);
    if (format == std::chars_format::hex) return;
    // Into a float, rounded once: no double in between.
    float mineFloat = -7.0f, libraryFloat = -7.0f;
    const auto m = printfNumberText::parseFloat(s.data(), s.data() + s.size(), mineFloat);
    const auto l = std::from_chars(s.data(), s.data() + s.size(), libraryFloat);
    EXPECT_TRUE(m.ptr == l.ptr && m.ec == l.ec &&
                (std::bit_cast<uint32_t>(mineFloat) == std::bit_cast<uint32_t>(libraryFloat) ||
                 (std::isnan(mineFloat) && std::isnan(libraryFloat))))
        << '"' << s << "\" as a float";
}

}  // namespace

TEST(NumberText, WritesAndReadsAsTheLibraryDoes) {
    std::mt19937_64 rng(20261207);
    int failures = 0;
    for (int i = 0; i < valueCount() && failures < 10; ++i) {
        const double d = randomDouble(rng);
        const float f = std::bit_cast<float>(static_cast<uint32_t>(rng()));
        const int places = static_cast<int>(rng() % 20);
        const Text shortest = text([&](char* a, char* b) { return std::to_chars(a, b, d); });
        const struct {
            Text mine, library;
        } pairs[] = {
            {text([&](char* a, char* b) { return printfNumberText::shortestText(a, b, d); }),
             shortest},
            {text([&](char* a, char* b) { return printfNumberText::shortestText(a, b, f); }),
             text([&](char* a, char* b) { return std::to_chars(a, b, f); })},
            {text([&](char* a, char* b) { return printfNumberText::shortestFixedText(a, b, d); }),
             text([&](char* a, char* b) {
                 return std::to_chars(a, b, d, std::chars_format::fixed);
             })},
            {text([&](char* a, char* b) { return printfNumberText::fixedText(a, b, d, places); }),
             text([&](char* a, char* b) {
                 return std::to_chars(a, b, d, std::chars_format::fixed, places);
             })},
        };
        for (const auto& p : pairs) {
            if (p.mine == p.library) continue;
            ADD_FAILURE() << std::hexfloat << d << " " << f << " places " << places << ": "
                          << p.mine << " != " << p.library;
            ++failures;
        }
        expectSameReading(shortest, std::chars_format::general);
        expectSameReading(text([&](char* a, char* b) { return std::to_chars(a, b, f); }),
                          std::chars_format::general);
    }
}

// What a hand-edited file or a typed cell may hold: signs, partial exponents,
// words, values beyond the range and hex digits.
TEST(NumberText, ReadsEdgeTextsAsTheLibraryDoes) {
    // Signs, partial numbers and exponents, words.
    for (const char* s :
         {"",         "-",     ".",     "-.",   "1.",         ".5",   "-.5e+3x", "1e",  "1e+",
          "1e-",      "1E5",   "00012", "+1",   " 1",         "0x10", "-0",      "inf", "-INF",
          "infinity", "infin", "nan",   "-nan", "NaN(abc_1)", "nan(", "nan()",   "1,5"})
        expectSameReading(s, std::chars_format::general);
    // Beyond the range either way, and the halfway points of the least subnormal.
    for (const char* s : {"1e400", "-1e400", "1e-400", "4e-320", "2.4703282292062327e-324",
                          "2.4703282292062328e-324", "0e999999", "1e-99999999999"})
        expectSameReading(s, std::chars_format::general);
    // 2^1024 - 2^970 in full, halfway past the largest double.
    expectSameReading(
        "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017"
        "977587207096330286416692887910946555547851940402630657488671505820681908902000708383676273"
        "854845817711531764475730270069855571366959622842914819860834936475292719074168444365510704"
        "342711559699508093042880177904174497792",
        std::chars_format::general);
    for (const char* s : {"1.8p3", "1p-1080", "1p2000", "g", "1.", "-a.8", "8p", "1P+2", "fFp-2",
                          ".8", "0x1", "1p-1074", "1.fffffffffffff8p1023"}) {
        expectSameReading(s, std::chars_format::hex);
    }
}
#endif
