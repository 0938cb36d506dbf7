// The conversion parser, the fast conversions and the snprintf fall-back.
#include "platform/PrintfFormat.h"

#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <sys/types.h>
#include <type_traits>
#include <vector>

namespace {

// va_list cannot be passed on by reference portably; a struct holding one can.
struct Args {
    va_list ap;
};

enum class Length { None, Char, Short, Long, LongLong, LongDouble, Size, IntMax, PtrDiff };

struct Conversion {
    bool left = false, zero = false, plus = false, space = false, alt = false;
    int width = 0;
    int precision = -1;  // -1: none given
    Length length = Length::None;
    char letter = 0;
    bool onlyPadding() const { return !plus && !space && !alt; }
};

int readNumber(const char*& p) {
    long v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v < 1000000) v = v * 10 + (*p - '0');
        ++p;
    }
    return static_cast<int>(v);
}

// Parses the conversion after a '%'; a '*' width or precision takes its int
// argument here, as printf does, before the value.
const char* parseConversion(const char* p, Conversion& s, Args& a) {
    for (;; ++p) {
        if (*p == '-')
            s.left = true;
        else if (*p == '0')
            s.zero = true;
        else if (*p == '+')
            s.plus = true;
        else if (*p == ' ')
            s.space = true;
        else if (*p == '#')
            s.alt = true;
        else
            break;
    }
    if (*p == '*') {
        int w = va_arg(a.ap, int);
        ++p;
        if (w < 0) {
            s.left = true;
            w = w == INT_MIN ? INT_MAX : -w;
        }
        s.width = w;
    } else {
        s.width = readNumber(p);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            const int v = va_arg(a.ap, int);
            ++p;
            s.precision = v < 0 ? -1 : v;
        } else {
            s.precision = readNumber(p);
        }
    }
    switch (*p) {
        case 'h':
            s.length = p[1] == 'h' ? Length::Char : Length::Short;
            p += p[1] == 'h' ? 2 : 1;
            break;
        case 'l':
            s.length = p[1] == 'l' ? Length::LongLong : Length::Long;
            p += p[1] == 'l' ? 2 : 1;
            break;
        case 'L':
        case 'q':
            s.length = Length::LongDouble;
            ++p;
            break;
        case 'z':
            s.length = Length::Size;
            ++p;
            break;
        case 'j':
            s.length = Length::IntMax;
            ++p;
            break;
        case 't':
            s.length = Length::PtrDiff;
            ++p;
            break;
        default:
            break;
    }
    s.letter = *p;
    return *p ? p + 1 : p;
}

// Pads body to the field width: spaces on the left or, with '-', on the
// right; with '0' a number gets zeros between its sign and its digits.
void appendPadded(std::string& out, std::string_view body, const Conversion& s, bool number) {
    const long pad = static_cast<long>(s.width) - static_cast<long>(body.size());
    if (pad <= 0) {
        out += body;
    } else if (s.left) {
        out += body;
        out.append(pad, ' ');
    } else if (s.zero && number) {
        const size_t sign = !body.empty() && body[0] == '-' ? 1 : 0;
        out += body.substr(0, sign);
        out.append(pad, '0');
        out += body.substr(sign);
    } else {
        out.append(pad, ' ');
        out += body;
    }
}

// The conversion rebuilt with its '*' values written out, for snprintf.
std::string conversionText(const Conversion& s, std::string_view length) {
    std::string t = "%";
    if (s.left) t += '-';
    if (s.zero) t += '0';
    if (s.plus) t += '+';
    if (s.space) t += ' ';
    if (s.alt) t += '#';
    if (s.width > 0) t += std::to_string(s.width);
    if (s.precision >= 0) {
        t += '.';
        t += std::to_string(s.precision);
    }
    t += length;
    t += s.letter;
    return t;
}

template <typename T>
void appendSnprintf(std::string& out, const std::string& format, T value) {
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, format.c_str(), value);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof buf) {
        out.append(buf, n);
        return;
    }
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::snprintf(big.data(), big.size(), format.c_str(), value);
    out.append(big.data(), n);
}

std::string_view lengthText(Length l) {
    switch (l) {
        case Length::Char:
            return "hh";
        case Length::Short:
            return "h";
        case Length::Long:
            return "l";
        case Length::LongLong:
            return "ll";
        case Length::LongDouble:
            return "L";
        case Length::Size:
            return "z";
        case Length::IntMax:
            return "j";
        case Length::PtrDiff:
            return "t";
        default:
            return "";
    }
}

// The signed argument of %d and %i at its length; "hh" and "h" arrive as int.
long long signedArg(const Conversion& s, Args& a) {
    switch (s.length) {
        case Length::Long:
            return va_arg(a.ap, long);
        case Length::LongLong:
        case Length::LongDouble:
            return va_arg(a.ap, long long);
        case Length::Size:
            return va_arg(a.ap, ssize_t);
        case Length::IntMax:
            return va_arg(a.ap, intmax_t);
        case Length::PtrDiff:
            return va_arg(a.ap, ptrdiff_t);
        default:
            return va_arg(a.ap, int);
    }
}

unsigned long long unsignedArg(const Conversion& s, Args& a) {
    switch (s.length) {
        case Length::Long:
            return va_arg(a.ap, unsigned long);
        case Length::LongLong:
        case Length::LongDouble:
            return va_arg(a.ap, unsigned long long);
        case Length::Size:
            return va_arg(a.ap, size_t);
        case Length::IntMax:
            return va_arg(a.ap, uintmax_t);
        case Length::PtrDiff:
            return static_cast<unsigned long long>(va_arg(a.ap, ptrdiff_t));
        default:
            return va_arg(a.ap, unsigned int);
    }
}

// snprintf must be handed the value in the type its conversion reads: int
// for "hh", "h" and no length (printf narrows it itself), else long long.
template <typename T>
void appendIntegerBySnprintf(std::string& out, const Conversion& s, T v) {
    using Int = std::conditional_t<std::is_signed_v<T>, int, unsigned>;
    const bool intSized =
        s.length == Length::None || s.length == Length::Char || s.length == Length::Short;
    if (intSized)
        appendSnprintf(out, conversionText(s, lengthText(s.length)), static_cast<Int>(v));
    else
        appendSnprintf(out, conversionText(s, "ll"), v);
}

template <typename T>
void appendInteger(std::string& out, const Conversion& s, T v) {
    const bool narrow = s.length == Length::Char || s.length == Length::Short;
    if (s.onlyPadding() && s.precision < 0 && !narrow && s.letter != 'o' && s.letter != 'x' &&
        s.letter != 'X') {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        appendPadded(out, std::string_view(buf, r.ptr - buf), s, true);
    } else {
        appendIntegerBySnprintf(out, s, v);
    }
}

constexpr uint64_t kPowersOf10[] = {1,      10,      100,      1000,      10000,
                                    100000, 1000000, 10000000, 100000000, 1000000000};

// |v| = mantissa · 2^exponent with an odd (or zero) mantissa, read from the
// bits of a finite double.
void splitBinary(double v, uint64_t* mantissa, int* exponent) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t m = bits & ((uint64_t{1} << 52) - 1);
    int e = -1074;  // subnormal
    if (biased != 0) {
        m |= uint64_t{1} << 52;
        e = biased - 1075;
    }
    if (m != 0) {
        const int zeros = __builtin_ctzll(m);
        m >>= zeros;
        e += zeros;
    }
    *mantissa = m;
    *exponent = e;
}

// q split at its last `decimals` digits; constant divisors let the compiler
// multiply instead of divide.
template <int D>
void splitDecimal(uint64_t q, uint64_t* whole, uint64_t* fraction) {
    *whole = q / kPowersOf10[D];
    *fraction = q % kPowersOf10[D];
}

void splitDecimal(uint64_t q, int decimals, uint64_t* whole, uint64_t* fraction) {
    switch (decimals) {
        case 0:
            return splitDecimal<0>(q, whole, fraction);
        case 1:
            return splitDecimal<1>(q, whole, fraction);
        case 2:
            return splitDecimal<2>(q, whole, fraction);
        case 3:
            return splitDecimal<3>(q, whole, fraction);
        case 4:
            return splitDecimal<4>(q, whole, fraction);
        case 5:
            return splitDecimal<5>(q, whole, fraction);
        case 6:
            return splitDecimal<6>(q, whole, fraction);
        default:
            *whole = q / kPowersOf10[decimals];
            *fraction = q % kPowersOf10[decimals];
    }
}

// A finite v at up to 9 decimals, rounded to nearest with ties to even as
// printf rounds, from its exact binary value in 64-bit integers. A float
// promoted to double always fits; false leaves a larger value to to_chars.
bool appendFixedExact(std::string& out, double v, int decimals, const Conversion& s) {
    if (decimals > 9) return false;
    uint64_t mantissa;
    int e;
    splitBinary(v, &mantissa, &e);
    const uint64_t scale = kPowersOf10[decimals];
    if (mantissa > UINT64_MAX / scale) return false;
    const uint64_t scaled = mantissa * scale;  // |v| · 10^decimals = scaled · 2^e
    uint64_t q;
    if (e >= 0) {
        if (e > 63 || scaled > (UINT64_MAX >> e)) return false;
        q = scaled << e;
    } else if (e < -64) {
        q = 0;  // scaled < 2^64 ≤ half a unit: rounds to 0
    } else if (e == -64) {
        q = scaled > (uint64_t{1} << 63) ? 1 : 0;  // a tie goes to the even 0
    } else {
        const int shift = -e;
        q = scaled >> shift;
        const uint64_t rest = scaled & ((uint64_t{1} << shift) - 1);
        const uint64_t half = uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (q & 1))) ++q;
    }
    char buf[48];
    char* p = buf;
    if (std::signbit(v)) *p++ = '-';
    uint64_t whole, fraction;
    splitDecimal(q, decimals, &whole, &fraction);
    // Most values fit 32 bits, whose digits come without a 64-bit division.
    if (whole <= UINT32_MAX)
        p = std::to_chars(p, buf + sizeof buf, static_cast<uint32_t>(whole)).ptr;
    else
        p = std::to_chars(p, buf + sizeof buf, whole).ptr;
    if (decimals > 0) {
        *p++ = '.';
        // The fraction's digits from the right, leading zeros included.
        for (int i = decimals; i > 0; --i) {
            p[i - 1] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        p += decimals;
    }
    appendPadded(out, std::string_view(buf, p - buf), s, true);
    return true;
}

void appendFloat(std::string& out, const Conversion& s, Args& a) {
    if (s.length == Length::LongDouble) {
        appendSnprintf(out, conversionText(s, "L"), va_arg(a.ap, long double));
        return;
    }
    const double v = va_arg(a.ap, double);
    const int precision = s.precision < 0 ? 6 : s.precision;
    const bool fixed = s.letter == 'f' || s.letter == 'F';
    if (fixed && s.onlyPadding() && std::isfinite(v) && precision <= 64) {
        if (appendFixedExact(out, v, precision, s)) return;
        char buf[400];  // 309 integer digits, the point, 64 decimals and a sign
        const auto r = fixedText(buf, buf + sizeof buf, v, precision);
        if (r.ec == std::errc()) {
            appendPadded(out, std::string_view(buf, r.ptr - buf), s, true);
            return;
        }
    }
    appendSnprintf(out, conversionText(s, ""), v);
}

void appendString(std::string& out, const Conversion& s, Args& a) {
    if (s.length == Length::Long) {
        appendSnprintf(out, conversionText(s, "l"), va_arg(a.ap, const wchar_t*));
        return;
    }
    const char* str = va_arg(a.ap, const char*);
    if (!str || s.zero || !s.onlyPadding()) {
        appendSnprintf(out, conversionText(s, ""), str);
        return;
    }
    // With a precision at most that many bytes are read: the text need not end.
    const size_t n = s.precision < 0 ? std::strlen(str) : strnlen(str, s.precision);
    appendPadded(out, std::string_view(str, n), s, false);
}

void appendConversion(std::string& out, const Conversion& s, Args& a) {
    switch (s.letter) {
        case 'd':
        case 'i':
            appendInteger(out, s, signedArg(s, a));
            break;
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            appendInteger(out, s, unsignedArg(s, a));
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            appendFloat(out, s, a);
            break;
        case 's':
            appendString(out, s, a);
            break;
        case 'c': {
            const int c = va_arg(a.ap, int);
            if (s.length == Length::None && s.onlyPadding() && !s.zero) {
                const char ch = static_cast<char>(c);
                appendPadded(out, std::string_view(&ch, 1), s, false);
            } else {
                appendSnprintf(out, conversionText(s, lengthText(s.length)), c);
            }
            break;
        }
        case 'p':
            appendSnprintf(out, conversionText(s, ""), va_arg(a.ap, void*));
            break;
        case 'n':
            // Writing back through a pointer has no place in a report.
            va_arg(a.ap, void*);
            break;
        default:
            // An unknown conversion is written out as it stands.
            out += conversionText(s, lengthText(s.length));
            break;
    }
}

}  // namespace

void appendPrintf(std::string& out, const char* fmt, va_list args) {
    Args a;
    va_copy(a.ap, args);
    const char* p = fmt;
    while (*p) {
        const char* percent = std::strchr(p, '%');
        if (!percent) {
            out += p;
            break;
        }
        out.append(p, percent - p);
        if (percent[1] == '%') {
            out += '%';
            p = percent + 2;
            continue;
        }
        Conversion s;
        p = parseConversion(percent + 1, s, a);
        if (s.letter == 0) break;  // a lone '%' at the end
        if (s.letter == '%') {
            out += '%';
            continue;
        }
        appendConversion(out, s, a);
    }
    va_end(a.ap);
}

std::string stringPrintf(const char* fmt, ...) {
    std::string out;
    va_list args;
    va_start(args, fmt);
    appendPrintf(out, fmt, args);
    va_end(args);
    return out;
}
