#pragma once

// Image files: any format OpenImageIO reads or writes, and writing that
// never leaves a half-written file behind.

#include <cstddef>
#include <string>

#include "studio/render/image_buffer.h"

/// How many bits each channel gets in a written file.
enum class PixelDepth {
    Auto,     ///< by the extension: float for .exr/.hdr, 16 bits for .tif/.tiff, else 8 bits
    UInt8,    ///< clamped to 0..1 and rounded to 0..255
    UInt16,   ///< clamped to 0..1 and rounded to 0..65535
    Float32,  ///< kept as is, unclamped
};

struct ImageReadResult {
    ImageBuffer image;
    std::string error;  ///< empty on success; otherwise names the file and the problem
};

/// The largest image ReadImage accepts: 2^28 pixels (16384 x 16384), and
/// no side longer than 65536.
constexpr int kMaxImageSide = 65536;
constexpr std::size_t kMaxImagePixels = std::size_t(1) << 28;

/// Reads the first subimage of `path` as float RGBA: a grey image fills
/// red, green and blue, and a missing alpha is 1. An image larger than
/// kMaxImagePixels is refused with a message, before anything is allocated.
ImageReadResult ReadImage(const std::string& path);

/// Writes `image` to `path` in the format its extension names. The pixels go
/// to a temporary file in the same folder, which is renamed over `path` only
/// once it is complete. Answers an empty text on success, else the problem.
std::string WriteImage(const std::string& path, const ImageBuffer& image,
                       PixelDepth depth = PixelDepth::Auto);
