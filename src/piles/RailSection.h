// Section properties of steel-rail piles: the four rail types the program
// accepts, with their moment of inertia and width.
#pragma once

// The section of a rail of `railType` kg/m: moment of inertia (m4) and width
// (m), the width serving both as section width and as the face the soil
// pushes on. The type is first held to [33, 50]; 1 when it then matches one of
// 33, 38, 43, 50 (within 0.1 kg/m), else 0 with the 50 kg/m values in place.
int GetRailSection(float railType, float* inertia, float* width);
