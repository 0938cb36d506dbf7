// Every file the program writes goes through here: the bytes are written to a
// temporary file in the same directory and renamed over the old file, so a
// crash or a full disk never leaves half a file and never loses the old one.
// Data files the engineer typed also keep their previous version beside them.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class AtomicFileWriter {
  public:
    virtual ~AtomicFileWriter() = default;

    // 1 when the file now holds exactly these bytes, 0 when it could not be
    // written (the previous file, if any, is then unchanged). Temporaries a
    // killed run left in the directory are removed first.
    int write(const std::string& path, std::string_view bytes);

    // The same for a file the engineer wrote: when it exists and differs, its
    // bytes are first kept as PreviousVersionPath(path), one generation deep.
    // 0, with both files unchanged, when the previous version cannot be kept.
    int writeKeepingPrevious(const std::string& path, std::string_view bytes);

  protected:
    // Writes the bytes to the open temporary file; tests override it to
    // simulate a disk that fills up half way.
    virtual bool writeAll(std::FILE* file, std::string_view bytes);
};

// Writes through the default writer.
int writeFileAtomically(const std::string& path, std::string_view bytes);

// Where the previous version of a file is kept: its whole name with ".BAK"
// appended ("&TLVR_0001.DAT" keeps "&TLVR_0001.DAT.BAK"). Keeping the
// extension means two files that differ only in it never share a backup, and
// an item named "Talvor.TV" cannot overwrite the project's "Talvor.BAK".
// An existing backup whose name differs only in case is reused.
std::string PreviousVersionPath(const std::string& path);

// True for the temporary names write() makes: "<file>.tmp-" and six letters
// or digits.
bool isAtomicTemporaryName(std::string_view name);

// Removes from dir the temporaries of write() older than a minute: a killed
// run leaves them, a running one is still writing younger ones.
void removeStaleTemporaries(const std::string& dir);
