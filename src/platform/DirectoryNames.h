// The file names of one directory, listed once and looked up in memory the
// way resolveInDir() looks them up on disk: an exact name first, else the
// name ignoring ASCII case. A project of a hundred items then costs one
// listing of its folder, not one per item.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

class DirectoryNames {
  public:
    // Lists dir (a missing or unreadable one lists as empty).
    explicit DirectoryNames(const std::string& dir);

    // The path of the file of dir named `name` ignoring case, as
    // resolveInDir() gives it; dir + name when there is none.
    std::string resolve(const std::string& name) const;

  private:
    std::string m_dir;  // ends with "/"
    std::unordered_set<std::string> m_exact;
    std::unordered_map<std::string, std::string> m_folded;  // lower case → first name found
};

// name with ASCII letters in lower case.
std::string foldedName(const std::string& name);
