#pragma once

#include "studio/render/image_buffer.h"

/// The colour of `image` at texture coordinates (u, v), filtered bilinearly
/// between the four nearest pixel centres. The image covers 0..1 in u and v
/// with v = 0 at its bottom row and repeats beyond that (tiling), so the
/// filter wraps around the edges. An empty image or a coordinate that is not
/// finite gives transparent black.
ColorRGBA SampleBilinear(const ImageBuffer& image, float u, float v);
