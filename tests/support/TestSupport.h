// Shared test helpers: temporary directories and sinks that record what the
// code under test told the user.
#pragma once

#include "platform/Sinks.h"

#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with its
// contents when the object goes out of scope. path() ends with "/".
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + name; }

  private:
    std::string m_path;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

class RecordingSinks : public StatusSink, public MessageSink {
  public:
    void tell_error(int code, const std::string& text) override {
        statuses.push_back(std::to_string(code) + " " + text);
    }
    void message(const std::string& text) override { messages.push_back(text); }
    bool question(const std::string& text, bool defaultAnswer) override {
        messages.push_back(text);
        return defaultAnswer;
    }
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
};
