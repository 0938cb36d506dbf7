// A fresh directory under the system's temporary directory for files a
// calculation must write but nobody keeps; removed with everything in it.
#pragma once

#include <string>

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Ends with "/"; empty when no directory could be made.
    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
};
