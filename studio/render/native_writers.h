#pragma once

// The formats the studio writes itself: 8-bit binary PPM, and 8-bit PNG with
// its bands compressed in parallel.

#include <memory>
#include <string>

#include "studio/render/image_file_writer.h"

/// Starts `temp` as an 8-bit binary PPM (RGB; alpha is not kept). Null with
/// `error` when the file cannot be made.
std::unique_ptr<ImageFileWriter> OpenPpmWriter(const std::string& temp, const ImageFileSettings& settings,
                                               std::string& error);

/// Starts `temp` as an 8-bit RGB or RGBA PNG file.
std::unique_ptr<ImageFileWriter> OpenPngWriter(const std::string& temp, const ImageFileSettings& settings,
                                               std::string& error);
