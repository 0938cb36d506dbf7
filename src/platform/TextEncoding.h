// Conversion between the GBK code page of the files on disk and the UTF-8
// held in memory. Only readers and writers call these.
#pragma once

#include <string>
#include <string_view>

bool isValidUtf8(std::string_view bytes);

// One character of the basic plane, as UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// GBK bytes to UTF-8; a byte sequence that is not GBK becomes U+FFFD.
std::string gbkToUtf8(std::string_view gbk);

// UTF-8 to GBK; a character GBK cannot hold becomes '?'.
std::string utf8ToGbk(std::string_view utf8);

// Text as a reader finds it on disk: valid UTF-8 is taken as UTF-8 (a leading
// byte-order mark dropped), anything else as GBK.
std::string decodeFileText(std::string_view bytes);

// Width of a UTF-8 text in the GBK bytes it occupies in a file: ASCII takes one
// byte, every other character two. Report columns are padded by this width.
int gbkWidth(std::string_view utf8);

// The longest prefix of a UTF-8 text that fits maxBytes GBK bytes, never
// splitting a character.
std::string cutToGbkWidth(std::string_view utf8, int maxBytes);

// The same two conversions through a table read off the C library's GBK reader,
// for a library whose iconv reads GBK but cannot write it (musl, in the
// WebAssembly build): what the two above fall back on there, exact to the
// bytes glibc's iconv gives.
namespace gbkTable {
std::string toUtf8(std::string_view gbk);
std::string fromUtf8(std::string_view utf8);
}  // namespace gbkTable
