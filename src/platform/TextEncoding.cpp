// iconv-based GBK <-> UTF-8 conversion with replacement of bad sequences.
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace {

int utf8SequenceLength(unsigned char lead);

// Converts with iconv, replacing each sequence it cannot convert and stepping
// over it (one byte of GBK, one whole character of UTF-8), so conversion
// always finishes.
std::string convert(std::string_view in, const char* to, const char* from,
                    std::string_view replacement) {
    const bool fromUtf8 = std::string_view(from) == "UTF-8";
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 3 / 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, dst - buf);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (a truncated sequence at the end): replace one byte.
            out.append(replacement);
            size_t skip = fromUtf8 ? utf8SequenceLength(static_cast<unsigned char>(*src)) : 1;
            skip = std::min(skip, srcLeft);
            src += skip;
            srcLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

int utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

// The character at s[i] if it is valid UTF-8 (no overlong form, surrogate or
// value past U+10FFFF, nothing cut off), with its length; else false.
bool readUtf8(std::string_view s, size_t i, char32_t& cp, size_t& n) {
    const unsigned char c = s[i];
    n = static_cast<size_t>(utf8SequenceLength(c));
    if (n == 1) {
        cp = c;
        return c < 0x80;
    }
    if (i + n > s.size()) return false;
    cp = c & (0x3F >> (n - 1));
    for (size_t k = 1; k < n; ++k) {
        const unsigned char d = s[i + k];
        if ((d & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (d & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    return cp >= kLeast[n] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

// GBK as glibc reads and writes it: every two-byte code the C library's GBK
// reader knows, less what GB18030 added to GBK and musl's reader also knows
// (the private-use area, the euro at A2E3, A8BF, A989-A995, FE50-FE9F), and
// the euro as the single byte 0x80.
struct GbkCodes {
    std::vector<uint16_t> ofCodePoint = std::vector<uint16_t>(0x10000, 0);  // 0: none
    std::vector<char32_t> ofCode = std::vector<char32_t>(0x10000, 0);       // 0: none
};

bool addedByGb18030(unsigned code) {
    return code == 0xA2E3 || code == 0xA8BF || (code >= 0xA989 && code <= 0xA995) ||
           (code >= 0xFE50 && code <= 0xFE9F);
}

const GbkCodes& gbkCodes() {
    static const GbkCodes codes = [] {
        GbkCodes c;
        iconv_t cd = iconv_open("UTF-32LE", "GBK");
        if (cd == reinterpret_cast<iconv_t>(-1)) return c;
        for (unsigned code = 0x8140; code <= 0xFEFE; ++code) {
            const unsigned trail = code & 0xFF;
            if (trail < 0x40 || trail == 0x7F || trail == 0xFF || addedByGb18030(code)) continue;
            char in[2] = {static_cast<char>(code >> 8), static_cast<char>(trail)};
            char out[8];
            char* src = in;
            char* dst = out;
            size_t srcLeft = 2, dstLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) ||
                srcLeft != 0 || dst - out != 4)
                continue;
            uint32_t cp;
            std::memcpy(&cp, out, sizeof cp);
            if (cp >= 0x10000 || (cp >= 0xE000 && cp <= 0xF8FF)) continue;
            c.ofCode[code] = cp;
            c.ofCodePoint[cp] = static_cast<uint16_t>(code);
        }
        iconv_close(cd);
        c.ofCode[0x80] = 0x20AC;
        c.ofCodePoint[0x20AC] = 0x80;
        return c;
    }();
    return codes;
}

// Whether iconv writes GBK; musl's only reads it.
bool iconvWritesGbk() {
    static const bool writes = [] {
        iconv_t cd = iconv_open("GBK", "UTF-8");
        if (cd == reinterpret_cast<iconv_t>(-1)) return false;
        iconv_close(cd);
        return true;
    }();
    return writes;
}

}  // namespace

namespace gbkTable {

std::string toUtf8(std::string_view gbk) {
    const GbkCodes& codes = gbkCodes();
    std::string out;
    out.reserve(gbk.size() * 3 / 2 + 4);
    for (size_t i = 0; i < gbk.size();) {
        const unsigned char c = gbk[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        char32_t cp = codes.ofCode[c];
        size_t n = 1;
        if (!cp && i + 1 < gbk.size()) {
            cp = codes.ofCode[c << 8 | static_cast<unsigned char>(gbk[i + 1])];
            n = 2;
        }
        if (cp) {
            appendUtf8(out, cp);
            i += n;
        } else {
            out += "\xEF\xBF\xBD";  // one byte stepped over, as iconv's reader is
            ++i;
        }
    }
    return out;
}

std::string fromUtf8(std::string_view utf8) {
    const GbkCodes& codes = gbkCodes();
    std::string out;
    out.reserve(utf8.size() + 4);
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        size_t n;
        const bool valid = readUtf8(utf8, i, cp, n);
        const unsigned code = valid && cp < 0x10000 ? codes.ofCodePoint[cp] : 0;
        if (valid && cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (code > 0xFF) {
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        } else if (code) {
            out += static_cast<char>(code);
        } else {
            out += '?';
        }
        i += std::min(n, utf8.size() - i);
    }
    return out;
}

}  // namespace gbkTable

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int n;
        unsigned int cp;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= s.size()) return false;  // sequence cut off by the end
        for (int k = 1; k <= n; ++k) {
            unsigned char d = s[i + k];
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

std::string gbkToUtf8(std::string_view gbk) {
    if (!iconvWritesGbk()) return gbkTable::toUtf8(gbk);
    return convert(gbk, "UTF-8", "GBK", "\xEF\xBF\xBD");
}

std::string utf8ToGbk(std::string_view utf8) {
    if (!iconvWritesGbk()) return gbkTable::fromUtf8(utf8);
    return convert(utf8, "GBK", "UTF-8", "?");
}

std::string decodeFileText(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return gbkToUtf8(bytes);
}

int gbkWidth(std::string_view utf8) {
    int width = 0;
    for (size_t i = 0; i < utf8.size();) {
        int n = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        width += n == 1 ? 1 : 2;
        i += n;
    }
    return width;
}

std::string cutToGbkWidth(std::string_view utf8, int maxBytes) {
    int width = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        int n = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        int w = n == 1 ? 1 : 2;
        if (width + w > maxBytes || i + n > utf8.size()) break;
        width += w;
        i += n;
    }
    return std::string(utf8.substr(0, i));
}
