// Rounding of a design value to a construction module (piles set out in
// steps of 50 mm, and the like).
#pragma once

// Rounds *value in place to the nearest multiple of step, halves away from
// zero, in float: round(v / step) x step. 1 when rounded; 0 (value unchanged)
// for a step of 0 or less, or a null value.
int Engineering_mode(float* value, int step);
