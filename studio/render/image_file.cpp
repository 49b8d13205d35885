#include "studio/render/image_file.h"

#include "studio/render/image_input.h"
#include "studio/render/image_writer.h"

#include <algorithm>
#include <memory>
#include <new>

std::unique_ptr<OIIO::ImageInput> OpenImageInput(const std::string& path, std::string& error) {
    // Keep colours as stored rather than premultiplying them by alpha.
    OIIO::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    std::unique_ptr<OIIO::ImageInput> in = OIIO::ImageInput::open(path, &config);
    if (!in) {
        const std::string why = OIIO::geterror();
        error = path + ": cannot read the image" + (why.empty() ? "" : " (" + why + ")");
        return nullptr;
    }
    const OIIO::ImageSpec& spec = in->spec();
    if (spec.width <= 0 || spec.height <= 0 || spec.depth > 1) {
        error = path + ": not a two-dimensional image";
        return nullptr;
    }
    // A header may claim any size: refuse what cannot be held before
    // allocating for it.
    const std::size_t pixels = std::size_t(spec.width) * std::size_t(spec.height);
    if (spec.width > kMaxImageSide || spec.height > kMaxImageSide || pixels > kMaxImagePixels) {
        error = path + ": the image is too large (" + std::to_string(spec.width) + " x " +
                std::to_string(spec.height) + " pixels; at most " + std::to_string(kMaxImagePixels) +
                " pixels and " + std::to_string(kMaxImageSide) + " along a side)";
        return nullptr;
    }
    return in;
}

int ChannelsRead(const OIIO::ImageSpec& spec) { return std::clamp(spec.nchannels, 1, 4); }

ImageReadResult ReadImage(const std::string& path) {
    ImageReadResult result;
    std::unique_ptr<OIIO::ImageInput> in = OpenImageInput(path, result.error);
    if (!in) return result;
    const OIIO::ImageSpec& spec = in->spec();
    const int channels = ChannelsRead(spec);
    const std::size_t pixels = std::size_t(spec.width) * std::size_t(spec.height);
    std::vector<float> values;
    try {
        values.resize(pixels * std::size_t(channels));
        result.image = ImageBuffer(spec.width, spec.height);
    } catch (const std::bad_alloc&) {
        result.image = ImageBuffer();
        result.error = path + ": not enough memory for a " + std::to_string(spec.width) + " x " +
                       std::to_string(spec.height) + " image";
        return result;
    }
    if (!in->read_image(0, 0, 0, channels, OIIO::TypeDesc::FLOAT, values.data())) {
        result.image = ImageBuffer();
        result.error = path + ": " + in->geterror();
        return result;
    }
    for (std::size_t i = 0; i < result.image.pixels.size(); ++i)
        result.image.pixels[i] = PixelFromChannels(&values[i * std::size_t(channels)], channels);
    return result;
}

std::string WriteImage(const std::string& path, const ImageBuffer& image, PixelDepth depth) {
    if (image.Empty()) return path + ": nothing to write (the image is empty)";
    ImageBandWriter writer;
    if (std::string error = writer.Open(path, image.width, image.height, depth); !error.empty()) return error;
    if (std::string error = writer.WriteRows(0, image.height, image.pixels.data()); !error.empty()) return error;
    return writer.Finish();
}
