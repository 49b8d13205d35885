#pragma once

// Images shared by every bitmap texture that names the same file.

#include <memory>
#include <string>

#include "studio/render/image_buffer.h"

using SharedImage = std::shared_ptr<const ImageBuffer>;

struct CachedImageResult {
    SharedImage image;  ///< null when the file could not be read
    std::string error;  ///< names the path and the problem
};

/// The image in `path`, read once and shared until no texture holds it.
/// Thread-safe; meant for set-up time, not for evaluation.
CachedImageResult LoadSharedImage(const std::string& path);
