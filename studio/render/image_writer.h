#pragma once

// Writing an image file band by band, so that a large image never has to be
// held whole; the file appears only once it is complete.

#include <memory>
#include <string>

#include "studio/render/image_file.h"
#include "studio/render/image_file_writer.h"

/// Writes rows of float RGBA pixels to an image file in the format its
/// extension names: 8-bit PNG and PPM by the studio itself, anything else
/// through OpenImageIO. The rows go to a temporary file beside the target,
/// renamed over it by Finish; a writer dropped before Finish removes it.
class ImageBandWriter {
public:
    ImageBandWriter();
    ~ImageBandWriter();
    ImageBandWriter(const ImageBandWriter&) = delete;
    ImageBandWriter& operator=(const ImageBandWriter&) = delete;

    /// Starts `path`. Alpha is written when `alpha` is true and the format
    /// holds it. Answers an empty text, or the problem naming the path.
    std::string Open(const std::string& path, int width, int height, PixelDepth depth, bool alpha = true);
    /// Puts rows first..end-1, `pixels` holding (end - first) * width
    /// colours, into the file's form in `band`. Several threads may encode
    /// at once, each into its own band; a band serves one writer only.
    void Encode(int first, int end, const ColorRGBA* pixels, EncodedBand& band) const;
    /// Adds an encoded band to the file: bands in order from the top, each
    /// starting where the one before ended.
    std::string Write(const EncodedBand& band);
    /// Encodes and writes rows first..end-1 at once.
    std::string WriteRows(int first, int end, const ColorRGBA* pixels);
    /// Completes the file and puts it in place.
    std::string Finish();

private:
    struct State;
    std::unique_ptr<State> state;
};
