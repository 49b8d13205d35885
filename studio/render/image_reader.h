#pragma once

// Reading image files row by row, whatever reads them: 8-bit PNG files are
// read here directly, every other format through OpenImageIO, which is
// loaded only when such a file is first opened.

#include <memory>
#include <string>

#include "host/types.h"

/// What a reader delivers: the size, 1 to 4 channels (grey, grey + alpha,
/// RGB, RGBA), and whether the samples are stored as bytes.
struct ImageLayout {
    int width = 0, height = 0, channels = 0;
    bool eightBit = false;
};

/// The samples asked of a reader: bytes (only for 8-bit files) or floats.
enum class SampleType { UInt8, Float32 };

class ImageRowReader {
public:
    virtual ~ImageRowReader() = default;
    virtual ImageLayout Layout() const = 0;
    /// Reads rows first..end-1 into `data`, (end - first) * width * channels
    /// samples of `type`. Rows come in order: `first` is at or after the
    /// end of the previous read. False with Error() set on failure.
    virtual bool ReadRows(int first, int end, SampleType type, void* data) = 0;
    /// The float each byte becomes when an 8-bit file is read as floats.
    virtual void ByteToFloat(float table[256]) const = 0;
    virtual std::string Error() const = 0;
};

/// Opens the first subimage of `path` with colours as stored (not
/// premultiplied by alpha), checking that it is a two-dimensional image no
/// larger than kMaxImagePixels. Null with `error` naming the path and the
/// problem otherwise.
std::unique_ptr<ImageRowReader> OpenImageReader(const std::string& path, std::string& error);

/// A pixel from its first `channels` channels: grey fills red, green and
/// blue, and a missing alpha is 1.
inline ColorRGBA PixelFromChannels(const float* c, int channels) {
    switch (channels) {
    case 1: return {c[0], c[0], c[0], 1.0f};
    case 2: return {c[0], c[0], c[0], c[1]};
    case 3: return {c[0], c[1], c[2], 1.0f};
    default: return {c[0], c[1], c[2], c[3]};
    }
}
