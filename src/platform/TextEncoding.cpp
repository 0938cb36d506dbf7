// iconv-based GBK <-> UTF-8 conversion with replacement of bad sequences.
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

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

}  // namespace

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
    return convert(gbk, "UTF-8", "GBK", "\xEF\xBF\xBD");
}

std::string utf8ToGbk(std::string_view utf8) {
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
