// Scratch directories named at random until one is free.
#include "platform/ScratchDir.h"

#include "platform/WorkContext.h"

#include <filesystem>
#include <random>
#include <system_error>

ScratchDir::ScratchDir() {
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    if (ec) return;
    std::random_device random;
    for (int i = 0; i < 100 && m_path.empty(); ++i) {
        const auto dir = base / ("talvor-" + std::to_string(random()));
        if (std::filesystem::create_directory(dir, ec)) m_path = withTrailingSlash(dir.string());
    }
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}
