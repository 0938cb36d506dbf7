// One section check given as named values, the way the headless check takes
// its options and a verification case writes them: shape, sizes in metres,
// cover and bar distances in mm, forces in kN and kN·m.
#pragma once

#include <string>

struct SectionDesignInput;

// Sets one value; false with the reason in *why for an unknown key or a
// value that does not read. Keys: shape (rect, circle), b, h, d, concrete
// (C30 or 30), steel, stirrup, cover, as, as_other, min_clear, M, Mouter, V,
// Mq, gamma0, gammaF, crack_limit.
bool SetSectionInput(SectionDesignInput& in, const std::string& key, const std::string& value,
                     std::string* why);

// Whether the input names a whole section: its shape's sizes are positive.
bool SectionInputComplete(const SectionDesignInput& in, std::string* why);
