#include "platform/NearestName.h"

#include <algorithm>

namespace {

// Optimal string alignment distance: insertions, deletions, substitutions and
// swaps of neighbouring letters, each one step.
int editDistance(const std::string& a, const std::string& b) {
    const size_t n = a.size(), m = b.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
    for (size_t i = 0; i <= n; ++i) d[i][0] = static_cast<int>(i);
    for (size_t j = 0; j <= m; ++j) d[0][j] = static_cast<int>(j);
    for (size_t i = 1; i <= n; ++i)
        for (size_t j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[n][m];
}

}  // namespace

std::string NearestName(const std::string& word, const std::vector<std::string>& candidates) {
    const size_t letters = word.size() - std::min(word.find_first_not_of('-'), word.size());
    std::string best;
    int bestDistance = static_cast<int>(std::min<size_t>(letters / 3, 2)) + 1;
    for (const std::string& c : candidates) {
        const int d = editDistance(word, c);
        if (d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    if (!best.empty() || letters < 2) return best;
    std::vector<std::string> begun;
    for (const std::string& c : candidates)
        if (c.compare(0, word.size(), word) == 0) begun.push_back(c);
    return begun.size() == 1 ? begun.front() : std::string();
}
