// Locale-free decimal text of floating-point numbers, exact to the last bit:
// the text std::to_chars writes and the value std::from_chars reads. Where the
// C++ library has them for floating point they are used; where it does not
// (the WebAssembly build's library), the same text comes from exact integer
// arithmetic and the C library's correctly rounded printf and strtod.
#pragma once

#include <charconv>

// std::to_chars(first, last, v): the shortest text that reads back as v,
// fixed or scientific, whichever is shorter.
std::to_chars_result shortestText(char* first, char* last, double v);
std::to_chars_result shortestText(char* first, char* last, float v);
// std::to_chars(first, last, v, std::chars_format::fixed)
std::to_chars_result shortestFixedText(char* first, char* last, double v);
// std::to_chars(first, last, v, std::chars_format::fixed, precision)
std::to_chars_result fixedText(char* first, char* last, double v, int precision);
// std::from_chars(first, last, v, format) for the general and hex formats.
std::from_chars_result parseDouble(const char* first, const char* last, double& v,
                                   std::chars_format format = std::chars_format::general);
// std::from_chars(first, last, v) into a float, rounded once.
std::from_chars_result parseFloat(const char* first, const char* last, float& v);

// Those versions, built everywhere so that they are held against the
// library's own where it has them.
namespace printfNumberText {
std::to_chars_result shortestText(char* first, char* last, double v);
std::to_chars_result shortestText(char* first, char* last, float v);
std::to_chars_result shortestFixedText(char* first, char* last, double v);
std::to_chars_result fixedText(char* first, char* last, double v, int precision);
std::from_chars_result parseDouble(const char* first, const char* last, double& v,
                                   std::chars_format format);
std::from_chars_result parseFloat(const char* first, const char* last, float& v);
}  // namespace printfNumberText
