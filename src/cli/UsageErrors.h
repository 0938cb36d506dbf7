// What talvor-cli says when its command line cannot be parsed: CLI11's message
// in Chinese, and for a word it does not know the nearest subcommand or option
// ("您是否要用 calc ?").
#pragma once

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

// Exit status of a command line that could not be parsed.
inline constexpr int kUsageErrorStatus = 64;

// Handles what app.parse threw: the help asked for is printed to stdout with
// status 0; anything else is told on stderr and gives kUsageErrorStatus.
int reportParseError(CLI::App& app, const CLI::ParseError& error, int argc,
                     const char* const* argv);
