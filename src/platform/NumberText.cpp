// The library's floating-point to_chars and from_chars where it has them;
// elsewhere the shortest texts are found in exact integer arithmetic (the
// WebAssembly C library's printf and strtod compute in software 128-bit
// floating point, and a drawing writes tens of thousands of numbers), the
// rest through printf and strtod in the C locale, which round exactly.
#include "platform/NumberText.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string>
#include <type_traits>
#include <vector>

namespace printfNumberText {
namespace {

// printf and strtod read the thread's locale: the C one while this lives.
class CLocale {
  public:
    CLocale() : m_previous(uselocale(cLocale())) {}
    ~CLocale() { uselocale(m_previous); }
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;

  private:
    static locale_t cLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
        return c;
    }
    locale_t m_previous;
};

// |v| = d1.d2…dn · 10^exponent
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// m · 2^e exactly (m > 0), as a decimal: in base 10^9 limbs, m is multiplied
// by 2^e, or by 5^-e and the decimal point moved -e places.
Decimal exactDecimal(uint64_t m, int e) {
    for (; e < 0 && m % 2 == 0; ++e) m /= 2;  // fewer fives to multiply by
    constexpr uint32_t base = 1000000000;
    std::vector<uint32_t> limbs;  // least significant first
    for (; m != 0; m /= base) limbs.push_back(static_cast<uint32_t>(m % base));
    const auto multiply = [&limbs](uint32_t factor) {
        uint64_t carry = 0;
        for (uint32_t& limb : limbs) {
            const uint64_t x = uint64_t{limb} * factor + carry;
            limb = static_cast<uint32_t>(x % base);
            carry = x / base;
        }
        for (; carry != 0; carry /= base) limbs.push_back(static_cast<uint32_t>(carry % base));
    };
    int pointShift = 0;
    if (e >= 0) {
        for (; e >= 29; e -= 29) multiply(uint32_t{1} << 29);
        multiply(uint32_t{1} << e);
    } else {
        pointShift = e;
        for (e = -e; e >= 13; e -= 13) multiply(1220703125);  // 5^13
        uint32_t factor = 1;
        for (; e > 0; --e) factor *= 5;
        multiply(factor);
    }
    Decimal d;
    d.digits = std::to_string(limbs.back());
    for (size_t i = limbs.size() - 1; i-- > 0;) {
        char nine[9];
        for (int k = 8, limb = static_cast<int>(limbs[i]); k >= 0; --k, limb /= 10)
            nine[k] = static_cast<char>('0' + limb % 10);
        d.digits.append(nine, 9);
    }
    d.exponent = static_cast<int>(d.digits.size()) - 1 + pointShift;
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// The order of two decimals (first digits nonzero; trailing zeros do not count).
int compare(const Decimal& a, const Decimal& b) {
    if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
    const size_t n = std::max(a.digits.size(), b.digits.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = i < a.digits.size() ? a.digits[i] : '0';
        const char y = i < b.digits.size() ? b.digits[i] : '0';
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

// A positive finite a exactly, and the midpoints to its neighbours: a decimal
// strictly between them reads back as a, one on a midpoint when a's significand
// is even (ties go to even, the largest finite number's upper one to infinity).
struct Reading {
    Decimal value, below, above;
    bool even = false;
};

template <typename T>
Reading reading(T a) {
    using Bits = std::conditional_t<std::is_same_v<T, float>, uint32_t, uint64_t>;
    constexpr int fraction = std::numeric_limits<T>::digits - 1;
    constexpr int bias = std::numeric_limits<T>::max_exponent - 1 + fraction;
    Bits bits;
    std::memcpy(&bits, &a, sizeof bits);
    const int field = static_cast<int>(bits >> fraction);
    const uint64_t f = bits & ((Bits{1} << fraction) - 1);
    // a = m · 2^e; below a power of two the gap is half the one above, but for
    // the smallest normal number.
    const uint64_t m = field == 0 ? f : f | uint64_t{1} << fraction;
    const int e = (field == 0 ? 1 : field) - bias;
    Reading r;
    r.value = exactDecimal(m, e);
    r.above = exactDecimal(2 * m + 1, e - 1);
    r.below = f == 0 && field > 1 ? exactDecimal(4 * m - 1, e - 2) : exactDecimal(2 * m - 1, e - 1);
    r.even = m % 2 == 0;
    return r;
}

// What the decimal d reads back as, rounded to nearest as strtod and strtof
// round: -1 below a, 0 a, 1 above a.
int readBack(const Decimal& d, const Reading& r) {
    const int below = compare(d, r.below), above = compare(d, r.above);
    if (below < 0 || (below == 0 && !r.even)) return -1;
    if (above > 0 || (above == 0 && !r.even)) return 1;
    return 0;
}

// The next decimal of as many digits above d.
Decimal nextUp(Decimal d) {
    int i = static_cast<int>(d.digits.size()) - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i >= 0) {
        ++d.digits[i];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    }
    return d;
}

// The exact decimal x rounded to n significant digits, half to even, as
// printf's %e rounds.
Decimal nearest(const Decimal& x, int n) {
    Decimal d{x.digits.substr(0, static_cast<size_t>(n)), x.exponent};
    d.digits.resize(static_cast<size_t>(n), '0');
    if (x.digits.size() <= d.digits.size()) return d;
    const char next = x.digits[d.digits.size()];
    const bool pastHalf = next > '5' || (next == '5' && x.digits.size() > d.digits.size() + 1);
    const bool half = next == '5' && !pastHalf;
    return pastHalf || (half && (d.digits.back() - '0') % 2 == 1) ? nextUp(d) : d;
}

// The fewest digits that read back as |v|, the nearest such decimal among them.
template <typename T>
Decimal shortest(T v) {
    const T a = std::fabs(v);
    const Reading r = reading(a);
    int binaryExponent;
    const bool powerOfTwo = std::frexp(a, &binaryExponent) == T(0.5);
    if (!powerOfTwo) {
        // The nearest n-digit decimal reads back for every n from the fewest on.
        int lo = 1, hi = std::numeric_limits<T>::max_digits10;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (readBack(nearest(r.value, mid), r) == 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        return nearest(r.value, lo);
    }
    // Below a power of two the decimals that read back reach half as far as
    // above it: the nearest may miss where the one above it does not.
    for (int n = 1;; ++n) {
        Decimal d = nearest(r.value, n);
        const int back = readBack(d, r);
        if (back == 0) return d;
        if (back < 0) {
            Decimal up = nextUp(d);
            if (readBack(up, r) == 0) return up;
        }
    }
}

// As printf's %f writes the decimal; a whole number with fewer digits than
// places is written exactly, as the library does.
template <typename T>
std::string fixedRendering(const Decimal& d, T v) {
    const int n = static_cast<int>(d.digits.size());
    const int e = d.exponent;
    if (e - (n - 1) > 0) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", std::fabs(static_cast<double>(v)));
        return buf;
    }
    std::string s;
    if (e < 0) {
        s.append("0.").append(-e - 1, '0').append(d.digits);
    } else {
        s.append(d.digits, 0, e + 1);
        if (n > e + 1) s.append(".").append(d.digits, e + 1);
    }
    return s;
}

std::string scientificRendering(const Decimal& d) {
    std::string s(d.digits, 0, 1);
    if (d.digits.size() > 1) s.append(".").append(d.digits, 1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", d.exponent < 0 ? '-' : '+',
                  std::abs(d.exponent));
    return s + exponent;
}

template <typename T>
std::string shortestString(T v, bool fixedOnly) {
    std::string text = std::signbit(v) ? "-" : "";
    if (std::isnan(v)) return text.append("nan");
    if (std::isinf(v)) return text.append("inf");
    if (v == 0) return text.append("0");
    CLocale c;
    const Decimal d = shortest(v);
    const std::string fixed = fixedRendering(d, v);
    if (fixedOnly) return text.append(fixed);
    const std::string scientific = scientificRendering(d);
    return text.append(fixed.size() <= scientific.size() ? fixed : scientific);
}

std::to_chars_result copyOut(char* first, char* last, const std::string& s) {
    if (last - first < static_cast<std::ptrdiff_t>(s.size()))
        return {last, std::errc::value_too_large};
    return {std::copy(s.begin(), s.end(), first), std::errc()};
}

bool startsWithWord(const char* p, const char* last, const char* word) {
    for (; *word; ++word, ++p)
        if (p == last || std::tolower(static_cast<unsigned char>(*p)) != *word) return false;
    return true;
}

// "inf", "infinity", "nan" and "nan(chars)", without case.
template <typename T>
bool readSpecial(const char* p, const char* last, bool negative, T& v, const char*& end) {
    if (startsWithWord(p, last, "inf")) {
        end = startsWithWord(p, last, "infinity") ? p + 8 : p + 3;
        v = negative ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
        return true;
    }
    if (!startsWithWord(p, last, "nan")) return false;
    end = p + 3;
    if (end != last && *end == '(') {
        const char* q = end + 1;
        while (q != last && (std::isalnum(static_cast<unsigned char>(*q)) || *q == '_')) ++q;
        if (q != last && *q == ')') end = q + 1;
    }
    v = std::copysign(std::numeric_limits<T>::quiet_NaN(), negative ? T(-1) : T(1));
    return true;
}

template <typename T>
std::from_chars_result parse(const char* first, const char* last, T& v, std::chars_format format) {
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (negative) ++p;
    const char* end = nullptr;
    if (readSpecial(p, last, negative, v, end)) return {end, std::errc()};

    const bool hex = format == std::chars_format::hex;
    const auto isDigit = [hex](char c) {
        return hex ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c >= '0' && c <= '9';
    };
    bool anyDigit = false, nonZero = false;
    const char* q = p;
    for (; q != last && isDigit(*q); ++q) anyDigit = true, nonZero |= *q != '0';
    if (q != last && *q == '.')
        for (++q; q != last && isDigit(*q); ++q) anyDigit = true, nonZero |= *q != '0';
    if (!anyDigit) return {first, std::errc::invalid_argument};
    end = q;
    // An exponent counts only with its digits.
    if (q != last && std::tolower(static_cast<unsigned char>(*q)) == (hex ? 'p' : 'e')) {
        ++q;
        if (q != last && (*q == '+' || *q == '-')) ++q;
        if (q != last && *q >= '0' && *q <= '9') {
            while (q != last && *q >= '0' && *q <= '9') ++q;
            end = q;
        }
    }
    std::string text = negative ? "-" : "";
    if (hex) text.append("0x");
    text.append(p, end);
    CLocale c;
    T read;
    if constexpr (std::is_same_v<T, float>)
        read = std::strtof(text.c_str(), nullptr);
    else
        read = std::strtod(text.c_str(), nullptr);
    // Beyond the largest double, or a nonzero number that rounds to zero.
    if (std::isinf(read) || (read == 0 && nonZero)) return {end, std::errc::result_out_of_range};
    v = read;
    return {end, std::errc()};
}

}  // namespace

std::to_chars_result shortestText(char* first, char* last, double v) {
    return copyOut(first, last, shortestString(v, false));
}

std::to_chars_result shortestText(char* first, char* last, float v) {
    return copyOut(first, last, shortestString(v, false));
}

std::to_chars_result shortestFixedText(char* first, char* last, double v) {
    return copyOut(first, last, shortestString(v, true));
}

std::to_chars_result fixedText(char* first, char* last, double v, int precision) {
    CLocale c;
    const int size = std::snprintf(nullptr, 0, "%.*f", precision, v);
    std::string s(static_cast<size_t>(size) + 1, '\0');
    std::snprintf(s.data(), s.size(), "%.*f", precision, v);
    s.pop_back();
    return copyOut(first, last, s);
}

std::from_chars_result parseDouble(const char* first, const char* last, double& v,
                                   std::chars_format format) {
    return parse(first, last, v, format);
}

std::from_chars_result parseFloat(const char* first, const char* last, float& v) {
    return parse(first, last, v, std::chars_format::general);
}

}  // namespace printfNumberText

#if defined(__cpp_lib_to_chars)

std::to_chars_result shortestText(char* first, char* last, double v) {
    return std::to_chars(first, last, v);
}
std::to_chars_result shortestText(char* first, char* last, float v) {
    return std::to_chars(first, last, v);
}
std::to_chars_result shortestFixedText(char* first, char* last, double v) {
    return std::to_chars(first, last, v, std::chars_format::fixed);
}
std::to_chars_result fixedText(char* first, char* last, double v, int precision) {
    return std::to_chars(first, last, v, std::chars_format::fixed, precision);
}
std::from_chars_result parseDouble(const char* first, const char* last, double& v,
                                   std::chars_format format) {
    return std::from_chars(first, last, v, format);
}
std::from_chars_result parseFloat(const char* first, const char* last, float& v) {
    return std::from_chars(first, last, v);
}

#else

std::to_chars_result shortestText(char* first, char* last, double v) {
    return printfNumberText::shortestText(first, last, v);
}
std::to_chars_result shortestText(char* first, char* last, float v) {
    return printfNumberText::shortestText(first, last, v);
}
std::to_chars_result shortestFixedText(char* first, char* last, double v) {
    return printfNumberText::shortestFixedText(first, last, v);
}
std::to_chars_result fixedText(char* first, char* last, double v, int precision) {
    return printfNumberText::fixedText(first, last, v, precision);
}
std::from_chars_result parseDouble(const char* first, const char* last, double& v,
                                   std::chars_format format) {
    return printfNumberText::parseDouble(first, last, v, format);
}
std::from_chars_result parseFloat(const char* first, const char* last, float& v) {
    return printfNumberText::parseFloat(first, last, v);
}

#endif
