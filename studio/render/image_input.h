#pragma once

// Opening image files for reading, shared by whole-image and banded reading.

#include <OpenImageIO/imageio.h>

#include <memory>
#include <string>

#include "host/types.h"

/// Opens the first subimage of `path` with colours as stored (not
/// premultiplied by alpha), checking that it is a two-dimensional image no
/// larger than kMaxImagePixels. Null with `error` naming the path and the
/// problem otherwise.
std::unique_ptr<OIIO::ImageInput> OpenImageInput(const std::string& path, std::string& error);

/// How many channels the studio reads from an image: 1 to 4.
int ChannelsRead(const OIIO::ImageSpec& spec);

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
