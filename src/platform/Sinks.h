// Where the calculation status and the user messages go. The desktop program
// shows them in its status area and in modal boxes; the command line prints
// them to stderr. Core code only sees these interfaces.
#pragma once

#include <string>

// Status codes besides the run's 201 and 301: a file moved aside or kept, and
// a place where a reader had to guess at an input file.
inline constexpr int kStatusFileNote = 101;
inline constexpr int kStatusInputDiagnostic = 401;

class StatusSink {
  public:
    virtual ~StatusSink() = default;
    // A status line with its code (201 "计算成功 !", 301 "计算失败 !", ...).
    virtual void tell_error(int code, const std::string& text) = 0;

    // Reports a failure and gives the 0 the failing operation returns, so a
    // caller writes `return status.fail("…");`.
    int fail(const std::string& text) {
        tell_error(301, text);
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
