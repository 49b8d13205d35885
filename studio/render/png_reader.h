#pragma once

// 8-bit PNG files read directly with libpng, row by row.

#include <memory>
#include <string>

#include "studio/render/image_reader.h"

/// Whether the file at `path` starts like a PNG file.
bool LooksLikePng(const std::string& path);

/// Opens an 8-bit grey, grey + alpha, RGB or RGBA PNG file that is neither
/// interlaced nor has a transparency chunk. Null with `unsupported` set for
/// any other kind of PNG file, or with `error` set (naming the path) when the
/// file is broken.
std::unique_ptr<ImageRowReader> OpenPngReader(const std::string& path, bool& unsupported, std::string& error);
