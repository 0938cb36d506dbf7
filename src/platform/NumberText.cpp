// The library's floating-point to_chars and from_chars where it has them;
// printf and strtod in the C locale, which round exactly as they do, elsewhere.
#include "platform/NumberText.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string>
#include <type_traits>

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

// |v| rounded to n significant digits, exactly as printf's %e rounds.
template <typename T>
Decimal nearest(T v, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", n - 1, std::fabs(static_cast<double>(v)));
    Decimal d;
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.') d.digits += *p;
    d.exponent = std::atoi(p + 1);
    return d;
}

template <typename T>
T readValue(const Decimal& d) {
    const std::string text =
        d.digits + "e" + std::to_string(d.exponent - static_cast<int>(d.digits.size()) + 1);
    if constexpr (std::is_same_v<T, float>)
        return std::strtof(text.c_str(), nullptr);
    else
        return std::strtod(text.c_str(), nullptr);
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

// The fewest digits that read back as |v|, the nearest such decimal among them.
template <typename T>
Decimal shortest(T v) {
    const T a = std::fabs(v);
    int binaryExponent;
    const bool powerOfTwo = std::frexp(a, &binaryExponent) == T(0.5);
    if (!powerOfTwo) {
        // The nearest n-digit decimal reads back for every n from the fewest on.
        int lo = 1, hi = std::numeric_limits<T>::max_digits10;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (readValue<T>(nearest(v, mid)) == a)
                hi = mid;
            else
                lo = mid + 1;
        }
        return nearest(v, lo);
    }
    // Below a power of two the decimals that read back reach half as far as
    // above it: the nearest may miss where the one above it does not.
    for (int n = 1;; ++n) {
        Decimal d = nearest(v, n);
        const T back = readValue<T>(d);
        if (back == a) return d;
        if (back < a) {
            Decimal up = nextUp(d);
            if (readValue<T>(up) == a) return up;
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
