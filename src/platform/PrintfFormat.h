// printf into a growing std::string. The report's own conversions (%d, %i,
// %u, %s, %c, %% and a finite %f) are done here, the floats by std::to_chars,
// which rounds the exact binary value as printf does but without printf's
// multi-precision arithmetic; anything else goes to snprintf one conversion
// at a time. Either way the text is printf's.
#pragma once

#include <cstdarg>
#include <string>

void appendPrintf(std::string& out, const char* fmt, va_list args);

// The text printf would print, as a std::string.
std::string stringPrintf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
