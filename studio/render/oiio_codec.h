#pragma once

// The formats OpenImageIO reads and writes. OpenImageIO brings a few hundred
// shared libraries, whose loading alone takes longer than correcting a large
// PNG, so it lives in a library of its own (libtintora_oiio.so) that is
// loaded the first time a file needs it.

#include <memory>
#include <string>

#include "studio/render/image_file_writer.h"
#include "studio/render/image_reader.h"

struct OiioCodec {
    /// See OpenImageReader; checks only that the image is two-dimensional.
    std::unique_ptr<ImageRowReader> (*openReader)(const std::string& path, std::string& error);
    /// A writer of the format `target`'s extension names, writing to `temp`.
    /// Null with `error` (not naming the path) when there is none or the
    /// file cannot be started.
    std::unique_ptr<ImageFileWriter> (*openWriter)(const std::string& target, const std::string& temp,
                                                   const ImageFileSettings& settings, std::string& error);
};

/// The library's entry point.
extern "C" const OiioCodec* TintoraOiioCodec();

/// Loads the library on first use (once, from any thread). Null with
/// `error` saying why when it cannot be loaded.
const OiioCodec* LoadOiioCodec(std::string& error);
