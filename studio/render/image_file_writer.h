#pragma once

// One image file format's writer, as ImageBandWriter drives it: bands of rows
// are encoded on any thread, several at once, and written in order.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/types.h"
#include "studio/render/image_file.h"

/// One band of rows in a file's own form.
struct EncodedBand {
    int first = 0, end = 0;              ///< the rows it holds
    std::vector<unsigned char> bytes;    ///< what goes into the file
    std::shared_ptr<void> reusable;      ///< a format's working state, kept from band to band
    std::uint64_t writer = 0;            ///< the writer `reusable` belongs to
    std::string error;                   ///< why encoding failed, if it did
};

class ImageFileWriter {
public:
    virtual ~ImageFileWriter() = default;
    /// Puts rows band.first..band.end-1 of float RGBA `pixels` into the
    /// file's form. Runs on several threads at once, each with its own band.
    virtual void Encode(const ColorRGBA* pixels, EncodedBand& band) const = 0;
    /// Adds an encoded band to the file; bands come in order from the top.
    virtual bool Write(const EncodedBand& band) = 0;
    /// Completes the file. False with Error() set when that fails.
    virtual bool Close() = 0;
    virtual std::string Error() const = 0;
};

/// What a file is to hold: its size, the samples and whether alpha is kept.
struct ImageFileSettings {
    int width = 0, height = 0;
    PixelDepth depth = PixelDepth::UInt8;  ///< never Auto
    bool alpha = true;   ///< keep alpha where the format holds it
};
