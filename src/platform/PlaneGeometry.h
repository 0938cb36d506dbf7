// Plane-geometry primitives of the section engine and the drawings: distance,
// direction angle, segment crossing and coordinate-frame changes, all in float
// so that every caller rounds the same way.
#pragma once

// π as the engine uses it: float(π).
inline constexpr float kPi = 3.14159265358979323846f;

// Length of the vector from (x1, y1) to (x2, y2).
float get_dist(float x1, float y1, float x2, float y2);

// Direction of the vector from (x1, y1) to (x2, y2) in radians, in [0, 2π);
// 0 for a zero vector.
float get_line_angle(float x1, float y1, float x2, float y2);

// Crossing of segment 1-2 with segment 3-4. Returns 1 and the crossing point
// (computed along segment 1-2) when the crossing of the two lines lies on both
// segments or at most `tolerance` past an end of each, and the point also lies
// in both segments' bounding boxes widened by `tolerance`; 0 otherwise. A
// determinant of exactly 0 (parallel or degenerate segments) gives 0.
// The box test makes the result depend only on boxes that callers can test
// cheaply beforehand: a pair whose widened boxes are apart never crosses.
int JH_GetInterPoint_LineSection(float x1, float y1, float x2, float y2, float x3, float y3,
                                 float x4, float y4, float* x, float* y, float tolerance);

// Coordinates of the point (x, y) in a frame turned by `angle` (radians,
// counter-clockwise) about the origin: x' = x·cos a + y·sin a,
// y' = −x·sin a + y·cos a. A negative angle turns the point itself by |angle|
// clockwise, so rotate_coordinate(−θ) brings a point given in the frame of a
// segment of direction θ back into the drawing's axes.
void rotate_coordinate(float angle, float* x, float* y);

// Coordinates of the point (x, y) in a frame whose origin lies at (dx, dy):
// x' = x − dx, y' = y − dy. shift_coordinate(−x0, −y0) moves a point given
// relative to (x0, y0) back into absolute coordinates.
void shift_coordinate(float dx, float dy, float* x, float* y);
