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

// The first digits of a decimal d1.d2… · 10^exponent (d1 nonzero) and whether
// a nonzero digit follows them: enough to order it against a decimal of up to
// 17 digits and to round it to one. Kept on the stack, as a drawing asks for
// tens of thousands.
struct Digits {
    static constexpr int capacity = 20;
    char d[capacity];
    int size = 0;
    int exponent = 0;
    bool more = false;
    char at(int i) const { return i < size ? d[i] : '0'; }
};

// m · 2^e exactly (0 < m < 2^55, the least exponent of a double less 2), as
// a decimal: in base 10^9 limbs, m is multiplied by 2^e, or by 5^-e and the
// decimal point moved -e places.
Digits exactDigits(uint64_t m, int e) {
    for (; e < 0 && m % 2 == 0; ++e) m /= 2;  // fewer fives to multiply by
    constexpr uint32_t base = 1000000000;
    uint32_t limbs[96];  // least significant first; m · 5^1075 has at most 768 digits
    int count = 0;
    for (; m != 0; m /= base) limbs[count++] = static_cast<uint32_t>(m % base);
    const auto multiply = [&limbs, &count](uint32_t factor) {
        uint64_t carry = 0;
        for (int i = 0; i < count; ++i) {
            const uint64_t x = uint64_t{limbs[i]} * factor + carry;
            limbs[i] = static_cast<uint32_t>(x % base);
            carry = x / base;
        }
        for (; carry != 0; carry /= base) limbs[count++] = static_cast<uint32_t>(carry % base);
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
    Digits x;
    int total = 0;
    const auto put = [&x, &total](char c) {
        if (x.size < Digits::capacity)
            x.d[x.size++] = c;
        else
            x.more |= c != '0';
        ++total;
    };
    char first[10];
    int firstSize = 0;
    for (uint32_t top = limbs[count - 1]; top != 0; top /= 10)
        first[firstSize++] = static_cast<char>('0' + top % 10);
    while (firstSize > 0) put(first[--firstSize]);
    for (int i = count - 1; i-- > 0;) {
        if (x.size == Digits::capacity) {
            x.more |= limbs[i] != 0;
            total += 9;
            continue;
        }
        for (uint32_t p = 100000000; p != 0; p /= 10)
            put(static_cast<char>('0' + limbs[i] / p % 10));
    }
    x.exponent = total - 1 + pointShift;
    return x;
}

// The order of a decimal of up to 17 digits against another.
int compare(const Digits& a, const Digits& b) {
    if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
    for (int i = 0; i < Digits::capacity; ++i)
        if (a.at(i) != b.at(i)) return a.at(i) < b.at(i) ? -1 : 1;
    return b.more ? -1 : 0;
}

// A positive finite a exactly, and the midpoints to its neighbours: a decimal
// strictly between them reads back as a, one on a midpoint when a's significand
// is even (ties go to even, the largest finite number's upper one to infinity).
struct Reading {
    Digits value, below, above;
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
    r.value = exactDigits(m, e);
    r.above = exactDigits(2 * m + 1, e - 1);
    r.below = f == 0 && field > 1 ? exactDigits(4 * m - 1, e - 2) : exactDigits(2 * m - 1, e - 1);
    r.even = m % 2 == 0;
    return r;
}

// What the decimal d reads back as, rounded to nearest as strtod and strtof
// round: -1 below a, 0 a, 1 above a.
int readBack(const Digits& d, const Reading& r) {
    const int below = compare(d, r.below), above = compare(d, r.above);
    if (below < 0 || (below == 0 && !r.even)) return -1;
    if (above > 0 || (above == 0 && !r.even)) return 1;
    return 0;
}

// The next decimal of as many digits above d.
Digits nextUp(Digits d) {
    int i = d.size - 1;
    while (i >= 0 && d.d[i] == '9') d.d[i--] = '0';
    if (i >= 0) {
        ++d.d[i];
    } else {
        d.d[0] = '1';
        ++d.exponent;
    }
    return d;
}

// The exact decimal x rounded to n significant digits, half to even, as
// printf's %e rounds.
Digits nearest(const Digits& x, int n) {
    Digits d;
    d.size = n;
    d.exponent = x.exponent;
    for (int i = 0; i < n; ++i) d.d[i] = x.at(i);
    bool beyond = x.more;
    for (int i = n + 1; i < x.size; ++i) beyond |= x.d[i] != '0';
    const char next = x.at(n);
    const bool pastHalf = next > '5' || (next == '5' && beyond);
    const bool half = next == '5' && !beyond;
    return pastHalf || (half && (d.d[n - 1] - '0') % 2 == 1) ? nextUp(d) : d;
}

// The fewest digits that read back as |v|, the nearest such decimal among them.
template <typename T>
Decimal shortest(T v) {
    const T a = std::fabs(v);
    const Reading r = reading(a);
    const auto decimal = [](const Digits& d) {
        return Decimal{std::string(d.d, d.size), d.exponent};
    };
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
        return decimal(nearest(r.value, lo));
    }
    // Below a power of two the decimals that read back reach half as far as
    // above it: the nearest may miss where the one above it does not.
    for (int n = 1;; ++n) {
        const Digits d = nearest(r.value, n);
        const int back = readBack(d, r);
        if (back == 0) return decimal(d);
        if (back < 0) {
            const Digits up = nextUp(d);
            if (readBack(up, r) == 0) return decimal(up);
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
std::string computeShortestString(T v, bool fixedOnly) {
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

// A drawing writes the same coordinates over and over (nine in ten of the
// maximal item's numbers repeat one written before): the last texts are kept
// by value, in one slot per hash of the bits.
template <typename T>
std::string shortestString(T v, bool fixedOnly) {
    struct Slot {
        uint64_t bits = 0;
        bool fixedOnly = false, used = false;
        std::string text;
    };
    thread_local std::vector<Slot> slots(4096);  // indexed by 12 bits of a hash
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    Slot& slot = slots[bits * 0x9E3779B97F4A7C15u >> 52];
    if (!slot.used || slot.bits != bits || slot.fixedOnly != fixedOnly)
        slot = {bits, fixedOnly, true, computeShortestString(v, fixedOnly)};
    return slot.text;
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
