#pragma once

// The pure maths of the standard textures, free of parameter blocks.

#include "host/types.h"

/// 0 or 1: which of the two colours covers (u, v) on a checkerboard with
/// `tiles` squares per unit of u and of v; the square at the origin is 0,
/// and so is every sample that is not finite.
int CheckerCell(float u, float v, float tiles);

/// Smooth gradient noise in about -1..1: zero at every integer lattice
/// point, continuous with continuous first derivatives, repeating every 256
/// units; 0 where a coordinate is not finite.
float GradientNoise(float x, float y, float z);

/// Where (u, v) lies along a gradient: u (axis 0) or v (axis 1), clamped to 0..1.
float GradientPosition(float u, float v, int axis);

/// The gradient's colour at position `s` in 0..1: two colours blend from
/// `c1` at 0 to `c2` at 1 (c3 unused); three blend c1, c2 at 0.5, c3 at 1.
Color GradientColor(const Color& c1, const Color& c2, const Color& c3, bool threeColors, float s);
