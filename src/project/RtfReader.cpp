// A small RTF tokenizer: groups, control words, \'hh bytes and \uN characters.
// Destinations we do not show (fonts, styles, info, \*) are skipped whole.
#include "project/RtfReader.h"

#include "platform/LineReader.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

enum class Dest { Text, Skip, Colours, Picture };

// A control word's number saturates here, so that no arithmetic on it can
// overflow; RTF's own numbers are 16-bit.
constexpr long kParamLimit = 1'000'000'000;
// Font sizes in half points: at least 1 point, at most 1638 (RTF's largest).
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
// Replacement characters after \uN: a handful at most.
constexpr int kMaxUc = 8;

int held(long value, long lo, long hi) {
    return static_cast<int>(std::clamp(value, lo, hi));
}

struct State {
    Dest dest = Dest::Text;
    int colourIndex = 0;
    int halfPoints = 20;
    int uc = 1;
    bool png = false;
};

class RtfParser {
  public:
    explicit RtfParser(std::string_view in) : m_in(in) {}
    std::optional<ReportDocument> parse();

  private:
    void controlWord(const std::string& word, bool hasParam, long param);
    void readControlWord();
    void readControlSymbol();
    void unicodeChar(long value);
    void textByte(unsigned char b);
    void flush();
    void endGroup(const State& closing);
    int colourOf(int index) const {
        return index > 0 && index < static_cast<int>(m_colours.size()) ? m_colours[index]
                                                                       : ReportRun::kAutoColour;
    }

    std::string_view m_in;
    size_t m_pos = 0;
    std::vector<State> m_stack{State{}};
    std::vector<int> m_colours;  // the colour table; an empty entry is automatic
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_componentSeen = false;
    int m_skipChars = 0;  // replacement characters still to drop after \uN
    std::string m_bytes;  // GBK bytes of the current text, not yet decoded
    std::string m_hex;    // picture data
    ReportDocument m_doc;
};

void RtfParser::flush() {
    if (m_bytes.empty()) return;
    const State& s = m_stack.back();
    appendText(m_doc, gbkToUtf8(m_bytes), colourOf(s.colourIndex), s.halfPoints * 10);
    m_bytes.clear();
}

void RtfParser::textByte(unsigned char b) {
    State& s = m_stack.back();
    if (m_skipChars > 0) {
        --m_skipChars;
        return;
    }
    if (s.dest == Dest::Text) {
        m_bytes += static_cast<char>(b);
    } else if (s.dest == Dest::Colours && b == ';') {
        m_colours.push_back(m_componentSeen ? (m_red | (m_green << 8) | (m_blue << 16))
                                            : ReportRun::kAutoColour);
        m_red = m_green = m_blue = 0;
        m_componentSeen = false;
    } else if (s.dest == Dest::Picture && std::isxdigit(b)) {
        m_hex += static_cast<char>(b);
    }
}

void RtfParser::controlWord(const std::string& w, bool hasParam, long p) {
    State& s = m_stack.back();
    if (w == "fonttbl" || w == "stylesheet" || w == "info" || w == "generator") {
        s.dest = Dest::Skip;
    } else if (w == "colortbl") {
        s.dest = Dest::Colours;
        m_colours.clear();
        m_componentSeen = false;
    } else if (w == "pict") {
        flush();
        s.dest = Dest::Picture;
        m_hex.clear();
    } else if (s.dest == Dest::Colours) {
        if (w == "red") m_red = held(p, 0, 255);
        if (w == "green") m_green = held(p, 0, 255);
        if (w == "blue") m_blue = held(p, 0, 255);
        m_componentSeen = m_componentSeen || w == "red" || w == "green" || w == "blue";
    } else if (s.dest == Dest::Picture) {
        if (w == "pngblip") s.png = true;
    } else if (s.dest == Dest::Text) {
        if (w == "par" || w == "line") {
            textByte('\n');
        } else if (w == "tab") {
            textByte('\t');
        } else if (w == "plain") {
            flush();
            s.colourIndex = 0;
            s.halfPoints = 24;  // RTF's own default size
        } else if (w == "fs" && hasParam) {
            flush();
            s.halfPoints = held(p, kMinHalfPoints, kMaxHalfPoints);
        } else if (w == "cf") {
            flush();
            s.colourIndex = hasParam ? held(p, 0, kParamLimit) : 0;
        } else if (w == "uc" && hasParam) {
            s.uc = held(p, 0, kMaxUc);
        } else if (w == "u" && hasParam) {
            unicodeChar(p);
        }
    }
}

// \uN: a UTF-16 unit as a signed number, followed by `uc` replacement
// characters for readers that do not know \u.
void RtfParser::unicodeChar(long value) {
    flush();
    const State& s = m_stack.back();
    long cp = value < 0 ? value + 65536 : value;
    // Not a UTF-16 unit: the replacement character.
    if (cp < 0 || cp > 0xFFFF) cp = 0xFFFD;
    std::string utf8;
    appendUtf8(utf8, static_cast<char32_t>(cp));
    appendText(m_doc, utf8, colourOf(s.colourIndex), s.halfPoints * 10);
    m_skipChars = s.uc;
}

// A control word: letters, an optional signed number, and one blank that
// belongs to it.
void RtfParser::readControlWord() {
    std::string word;
    while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos])))
        word += m_in[m_pos++];
    size_t numStart = m_pos;
    if (m_pos < m_in.size() && m_in[m_pos] == '-') ++m_pos;
    while (m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) ++m_pos;
    bool hasParam = m_pos > numStart && !(m_pos == numStart + 1 && m_in[numStart] == '-');
    // Digit by digit, saturating: "\\fs99999999999999999999" is a number too.
    long param = 0;
    for (size_t i = numStart; hasParam && i < m_pos; ++i)
        if (m_in[i] != '-') param = std::min(param * 10 + (m_in[i] - '0'), kParamLimit);
    if (m_in[numStart] == '-') param = -param;
    if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
    controlWord(word, hasParam, param);
}

// A backslash and one other character: \'hh, \*, escaped braces and the like.
void RtfParser::readControlSymbol() {
    char sym = m_in[m_pos++];
    if (sym == '\'' && m_pos + 2 <= m_in.size()) {
        textByte(static_cast<unsigned char>(
            std::strtol(std::string(m_in.substr(m_pos, 2)).c_str(), nullptr, 16)));
        m_pos += 2;
    } else if (sym == '*') {
        m_stack.back().dest = Dest::Skip;
    } else if (sym == '\n' || sym == '\r') {
        textByte('\n');
    } else if (sym == '~') {
        textByte(' ');
    } else if (sym == '\\' || sym == '{' || sym == '}') {
        textByte(static_cast<unsigned char>(sym));
    }
}

void RtfParser::endGroup(const State& closing) {
    if (closing.dest != Dest::Picture) return;
    if (!closing.png || m_hex.size() < 2) return;
    ReportRun picture;
    picture.kind = ReportRun::Kind::Picture;
    picture.png.reserve(m_hex.size() / 2);
    // A picture is megabytes of hex: digits are turned into bytes directly.
    auto digit = [](char h) { return h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10; };
    for (size_t i = 0; i + 1 < m_hex.size(); i += 2)
        picture.png += static_cast<char>((digit(m_hex[i]) << 4) | digit(m_hex[i + 1]));
    m_doc.push_back(std::move(picture));
    m_hex.clear();
}

std::optional<ReportDocument> RtfParser::parse() {
    if (m_in.substr(0, 5) != "{\\rtf") return std::nullopt;
    while (m_pos < m_in.size()) {
        unsigned char c = m_in[m_pos++];
        if (c == '{') {
            m_stack.push_back(m_stack.back());
        } else if (c == '}') {
            flush();
            if (m_stack.size() <= 1) return std::nullopt;
            State closing = m_stack.back();
            m_stack.pop_back();
            // A picture's group ends where its data ends.
            if (m_stack.back().dest != Dest::Picture) endGroup(closing);
        } else if (c == '\r' || c == '\n') {
            continue;
        } else if (c != '\\') {
            textByte(c);
        } else if (m_pos >= m_in.size()) {
            break;
        } else if (std::isalpha(static_cast<unsigned char>(m_in[m_pos]))) {
            readControlWord();
        } else {
            readControlSymbol();
        }
    }
    flush();
    // The outermost group must have closed exactly at the end.
    if (m_stack.size() != 1) return std::nullopt;
    return m_doc;
}

}  // namespace

std::optional<ReportDocument> ParseRtf(std::string_view bytes) {
    RtfParser parser(bytes);
    return parser.parse();
}

std::string ReportPlainText(std::string_view bytes) {
    if (bytes.substr(0, 5) == "{\\rtf") {
        std::optional<ReportDocument> doc = ParseRtf(bytes);
        return doc ? PlainText(*doc) : std::string();
    }
    return PlainText(ExpandScript(decodeFileText(bytes)));
}

std::optional<ReportDocument> LoadReport(const std::string& path, std::string* why) {
    std::optional<std::string> bytes = readFileBytes(path, kMaxReportBytes, why);
    if (!bytes) return std::nullopt;
    if (bytes->compare(0, 5, "{\\rtf") == 0) return ParseRtf(*bytes);
    ReportDocument doc;
    appendText(doc, decodeFileText(*bytes));
    return doc;
}
