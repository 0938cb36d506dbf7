// One directory listing, two hash look-ups per name.
#include "platform/DirectoryNames.h"

#include "platform/WorkContext.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::string foldedName(const std::string& name) {
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

DirectoryNames::DirectoryNames(const std::string& dir) : m_dir(withTrailingSlash(dir)) {
    std::error_code ec;
    std::filesystem::directory_iterator it(m_dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        m_folded.emplace(foldedName(name), name);  // the first found wins, as on disk
        m_exact.insert(std::move(name));
    }
}

std::string DirectoryNames::resolve(const std::string& name) const {
    if (m_exact.count(name)) return m_dir + name;
    auto it = m_folded.find(foldedName(name));
    return m_dir + (it == m_folded.end() ? name : it->second);
}
