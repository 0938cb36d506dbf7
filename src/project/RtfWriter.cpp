// RTF output: font table with the 宋体 face in charset 134, a colour table of
// the colours used, one \plain format per run, GBK bytes as \'hh escapes.
#include "project/RtfWriter.h"

#include "platform/AtomicFile.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

namespace {

// Page width between one-inch margins on A4 (210 mm less two inches): pictures
// are scaled down to it.
constexpr long kMaxPictureTwips = 9026;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kScreenDpi = 96.0;  // a picture that does not say its resolution

std::string hexByte(unsigned char b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\'%02x", b);
    return buf;
}

// Each character's RTF once: a report holds a few hundred distinct Chinese
// characters thousands of times, and each conversion opens a converter.
using CharacterCache = std::unordered_map<std::string, std::string>;

// The character at s[i] as RTF: ASCII escaped where RTF needs it, anything
// else as its GBK bytes, or as \uN when GBK has no such character.
size_t appendCharacter(std::string& out, std::string_view s, size_t i, CharacterCache& cache) {
    unsigned char c = s[i];
    if (c < 0x80) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\par\n";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c != '\r') {
            out += static_cast<char>(c);
        }
        return i + 1;
    }
    size_t n = 1;
    while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
    std::string_view ch = s.substr(i, n);
    auto [known, fresh] = cache.try_emplace(std::string(ch));
    if (!fresh) {
        out += known->second;
        return i + n;
    }
    const size_t from = out.size();
    std::string gbk = utf8ToGbk(ch);
    if (gbk.find('?') == std::string::npos) {
        for (unsigned char b : gbk) out += hexByte(b);
    } else {
        uint32_t cp = 0;
        int extra = n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07;
        cp = static_cast<unsigned char>(ch[0]) & extra;
        for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(ch[k]) & 0x3F);
        // \uN takes a signed 16-bit value; characters beyond the BMP become '?'.
        int16_t v = cp <= 0xFFFF ? static_cast<int16_t>(static_cast<uint16_t>(cp)) : '?';
        out += "\\u" + std::to_string(v) + "?";
    }
    known->second = out.substr(from);
    return i + n;
}

uint32_t bigEndian32(std::string_view s, size_t at) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(s[at + k]);
    return v;
}

// The resolution a PNG states in its pHYs chunk (pixels per metre), or the
// screen's when it states none.
double pngDpi(std::string_view png) {
    for (size_t at = 8; at + 12 <= png.size();) {
        uint32_t length = bigEndian32(png, at);
        std::string_view type = png.substr(at + 4, 4);
        if (type == "IDAT" || length > png.size()) break;
        if (type == "pHYs" && length >= 9 && at + 17 <= png.size() && png[at + 16] == 1) {
            uint32_t perMetre = bigEndian32(png, at + 8);
            if (perMetre > 0) return perMetre * 0.0254;
        }
        at += 12 + static_cast<size_t>(length);
    }
    return kScreenDpi;
}

void appendPicture(std::string& out, const std::string& png) {
    const PngHead stated = ReadPngHead(png);
    const int w = stated.width, h = stated.height;
    if (w <= 0 || h <= 0) return;
    // Shown at the size the picture was made for, so that a drawing rendered
    // at print resolution prints at its size and as sharp as it was made.
    double dpi = stated.dpi;
    long goalW = std::lround(w * kTwipsPerInch / dpi);
    long goalH = std::lround(h * kTwipsPerInch / dpi);
    if (goalW > kMaxPictureTwips) {
        goalH = goalH * kMaxPictureTwips / goalW;
        goalW = kMaxPictureTwips;
    }
    char head[160];
    std::snprintf(head, sizeof head, "{\\pict\\pngblip\\picw%d\\pich%d\\picwgoal%ld\\pichgoal%ld\n",
                  w, h, goalW, goalH);
    out += head;
    // Two hex digits a byte and a line break after every 64 bytes, written
    // into place: a picture is hundreds of kilobytes.
    static const char* hex = "0123456789abcdef";
    const size_t from = out.size(), n = png.size();
    out.resize(from + 2 * n + n / 64);
    char* at = out.data() + from;
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(png[i]);
        *at++ = hex[b >> 4];
        *at++ = hex[b & 0xF];
        if (i % 64 == 63) *at++ = '\n';
    }
    out += "}\n";
}

std::vector<int> coloursUsed(const ReportDocument& doc) {
    std::vector<int> colours;
    for (const ReportRun& run : doc)
        if (run.kind == ReportRun::Kind::Text && run.colour != ReportRun::kAutoColour &&
            std::find(colours.begin(), colours.end(), run.colour) == colours.end())
            colours.push_back(run.colour);
    return colours;
}

}  // namespace

PngHead ReadPngHead(std::string_view png) {
    PngHead head;
    // Width and height from the IHDR chunk that follows the 8-byte signature.
    if (png.size() < 24 || png.substr(1, 3) != "PNG") return head;
    const uint32_t w = bigEndian32(png, 16), h = bigEndian32(png, 20);
    // PNG holds sizes below 2^31; anything else is no PNG.
    if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) return head;
    head.width = static_cast<int>(w);
    head.height = static_cast<int>(h);
    head.dpi = pngDpi(png);
    return head;
}

std::string EmbeddedPicture(const ReportRun& picture) {
    return picture.png;
}

std::string FormatRtf(const ReportDocument& doc, const PictureSource& pictures) {
    std::vector<int> colours = coloursUsed(doc);
    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\n{\\fonttbl{\\f0\\fnil\\fcharset134 ";
    for (unsigned char b : utf8ToGbk("宋体")) out += hexByte(b);
    out += ";}}\n{\\colortbl ;";
    for (int c : colours) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "\\red%d\\green%d\\blue%d;", c & 0xFF, (c >> 8) & 0xFF,
                      (c >> 16) & 0xFF);
        out += buf;
    }
    out += "}\n\\viewkind4\\pard\\lang2052\\f0\\fs20\n";
    CharacterCache cache;
    for (const ReportRun& run : doc) {
        if (run.kind == ReportRun::Kind::Picture) {
            if (pictures) appendPicture(out, pictures(run));
            continue;
        }
        int index = 0;
        if (run.colour != ReportRun::kAutoColour)
            index = static_cast<int>(std::find(colours.begin(), colours.end(), run.colour) -
                                     colours.begin()) +
                    1;
        // \fs counts half points; a height in twips is ten times that.
        out += "\\plain\\f0\\fs" + std::to_string(run.heightTwips / 10) + "\\cf" +
               std::to_string(index) + " ";
        for (size_t i = 0; i < run.text.size();) i = appendCharacter(out, run.text, i, cache);
        out += "\n";
    }
    out += "}\n";
    return out;
}

int WriteRtf(const std::string& path, const ReportDocument& doc, const PictureSource& pictures) {
    return writeFileAtomically(path, FormatRtf(doc, pictures));
}
