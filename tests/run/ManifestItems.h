// The items whose every output file the manifest holds: the worked example
// under every goal and target, the golden items of these tests, the shipped
// templates, the verification cases and 200 random items typed through the
// tables. The WebAssembly build is held to the native one on the same items.
#pragma once

#include <string>
#include <vector>

struct ManifestItem {
    std::string name;   // "example-0-1", "golden-…", "verify-…", "template-…", "random-007"
    std::string bytes;  // the item's data file
};

std::vector<ManifestItem> manifestItems();
