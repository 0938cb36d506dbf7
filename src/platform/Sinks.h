// Where the calculation status and the user messages go. The desktop program
// shows them in its status area and in modal boxes; the command line prints
// them to stderr. Core code only sees these interfaces.
#pragma once

#include <string>

// The codes of status lines, told with their text. Every code a status line
// carries is one of these; the numbers are what the program has always shown.
inline constexpr int kStatusShow = 0;               // only brings the status window up
inline constexpr int kStatusFileNote = 101;         // a file moved aside or kept
inline constexpr int kStatusSuccess = 201;          // "计算成功 !"
inline constexpr int kStatusFailure = 301;          // "计算失败 !" and every failure
inline constexpr int kStatusWarning = 401;          // a run's warning of the geometry or results
inline constexpr int kStatusInputDiagnostic = 401;  // a reader had to guess at an input file
inline constexpr int kStatusClear = -8899;          // empties the status window

class StatusSink {
  public:
    virtual ~StatusSink() = default;
    // A status line with its code (kStatusSuccess, kStatusFailure, ...).
    virtual void tell_error(int code, const std::string& text) = 0;

    // Reports a failure and gives the 0 the failing operation returns, so a
    // caller writes `return status.fail("…");`.
    int fail(const std::string& text) {
        tell_error(kStatusFailure, text);
        return 0;
    }
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A message box with an OK button.
    virtual void message(const std::string& text) = 0;
    // A Yes/No question; where nobody can answer, the default answer is taken.
    virtual bool question(const std::string& text, bool defaultAnswer) = 0;
};

// Both sinks on stderr, for the command line.
class StderrSinks : public StatusSink, public MessageSink {
  public:
    void tell_error(int code, const std::string& text) override;
    void message(const std::string& text) override;
    bool question(const std::string& text, bool defaultAnswer) override;
};

// Sinks that drop everything; for working copies whose messages nobody reads.
class NullSinks : public StatusSink, public MessageSink {
  public:
    void tell_error(int, const std::string&) override {}
    void message(const std::string&) override {}
    bool question(const std::string&, bool defaultAnswer) override { return defaultAnswer; }
};
