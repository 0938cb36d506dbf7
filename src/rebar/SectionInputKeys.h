// One section check given as named values, the way the headless check takes
// its options and a verification case writes them: shape, sizes in metres,
// cover and bar distances in mm, forces in kN and kN·m.
#pragma once

#include <span>
#include <string>

struct SectionDesignInput;

// A named value and what it means, with its unit, in the words a user reads.
struct SectionInputKey {
    const char* key;
    const char* meaning;
};

// Every key SetSectionInput takes, in the order a user is told them.
std::span<const SectionInputKey> SectionInputKeys();

// Sets one value; false with the reason in *why for an unknown key or a
// value that does not read.
bool SetSectionInput(SectionDesignInput& in, const std::string& key, const std::string& value,
                     std::string* why);

// Whether the input names a whole section: its shape's sizes are positive.
bool SectionInputComplete(const SectionDesignInput& in, std::string* why);
