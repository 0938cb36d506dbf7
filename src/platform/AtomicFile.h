// Every file the program writes goes through here: the bytes are written to a
// temporary file in the same directory and renamed over the old file, so a
// crash or a full disk never leaves half a file and never loses the old one.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class AtomicFileWriter {
  public:
    virtual ~AtomicFileWriter() = default;

    // 1 when the file now holds exactly these bytes, 0 when it could not be
    // written (the previous file, if any, is then unchanged).
    int write(const std::string& path, std::string_view bytes);

  protected:
    // Writes the bytes to the open temporary file; tests override it to
    // simulate a disk that fills up half way.
    virtual bool writeAll(std::FILE* file, std::string_view bytes);
};

// Writes through the default writer.
int writeFileAtomically(const std::string& path, std::string_view bytes);
