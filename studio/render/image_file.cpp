#include "studio/render/image_file.h"

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

ColorRGBA PixelFromChannels(const float* c, int channels) {
    switch (channels) {
    case 1: return {c[0], c[0], c[0], 1.0f};
    case 2: return {c[0], c[0], c[0], c[1]};
    case 3: return {c[0], c[1], c[2], 1.0f};
    default: return {c[0], c[1], c[2], c[3]};
    }
}

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    return text;
}

PixelDepth DepthForExtension(const std::string& path) {
    const std::string ext = Lowercase(fs::path(path).extension().string());
    if (ext == ".exr" || ext == ".hdr") return PixelDepth::Float32;
    if (ext == ".tif" || ext == ".tiff") return PixelDepth::UInt16;
    return PixelDepth::UInt8;
}

// Integer formats hold 0..1 only: clamp (NaN counts as 0) and round.
template <typename T>
std::vector<T> Quantise(const std::vector<float>& values) {
    constexpr float top = float(std::numeric_limits<T>::max());
    std::vector<T> out(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const float v = values[i] > 1.0f ? 1.0f : (values[i] >= 0.0f ? values[i] : 0.0f);
        out[i] = T(v * top + 0.5f);
    }
    return out;
}

std::vector<float> Interleave(const ImageBuffer& image, int channels) {
    std::vector<float> values;
    values.reserve(image.pixels.size() * std::size_t(channels));
    for (const ColorRGBA& p : image.pixels) {
        const float c[4] = {p.r, p.g, p.b, p.a};
        values.insert(values.end(), c, c + channels);
    }
    return values;
}

// A name beside the target that keeps its extension, so the format writer
// chosen for the target accepts it.
fs::path TemporaryPathFor(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::string tag = ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    fs::path temp = target;
    temp.replace_filename("." + target.stem().string() + tag + target.extension().string());
    return temp;
}

std::string WritePixels(OIIO::ImageOutput& out, const std::string& file, const ImageBuffer& image,
                        PixelDepth depth) {
    const int channels = out.supports("alpha") ? 4 : 3;
    const OIIO::TypeDesc type = depth == PixelDepth::Float32 ? OIIO::TypeDesc::FLOAT
                                : depth == PixelDepth::UInt16 ? OIIO::TypeDesc::UINT16
                                                              : OIIO::TypeDesc::UINT8;
    OIIO::ImageSpec spec(image.width, image.height, channels, type);
    if (channels == 4) spec.alpha_channel = 3;
    // Texture colours are not premultiplied by alpha: store them as they are.
    spec.attribute("oiio:UnassociatedAlpha", 1);
    if (!out.open(file, spec)) return out.geterror();

    const std::vector<float> values = Interleave(image, channels);
    bool ok = false;
    if (type == OIIO::TypeDesc::FLOAT) {
        ok = out.write_image(OIIO::TypeDesc::FLOAT, values.data());
    } else if (type == OIIO::TypeDesc::UINT16) {
        ok = out.write_image(OIIO::TypeDesc::UINT16, Quantise<std::uint16_t>(values).data());
    } else {
        ok = out.write_image(OIIO::TypeDesc::UINT8, Quantise<std::uint8_t>(values).data());
    }
    const bool closed = out.close();
    if (!ok || !closed) {
        const std::string error = out.geterror();
        return error.empty() ? "could not write the pixels" : error;
    }
    return {};
}

}  // namespace

ImageReadResult ReadImage(const std::string& path) {
    ImageReadResult result;
    // Keep colours as stored rather than premultiplying them by alpha.
    OIIO::ImageSpec config;
    config.attribute("oiio:UnassociatedAlpha", 1);
    std::unique_ptr<OIIO::ImageInput> in = OIIO::ImageInput::open(path, &config);
    if (!in) {
        const std::string why = OIIO::geterror();
        result.error = path + ": cannot read the image" + (why.empty() ? "" : " (" + why + ")");
        return result;
    }
    const OIIO::ImageSpec& spec = in->spec();
    const int channels = std::clamp(spec.nchannels, 1, 4);
    if (spec.width <= 0 || spec.height <= 0 || spec.depth > 1) {
        result.error = path + ": not a two-dimensional image";
        return result;
    }
    // A header may claim any size: refuse what cannot be held before
    // allocating for it.
    const std::size_t pixels = std::size_t(spec.width) * std::size_t(spec.height);
    if (spec.width > kMaxImageSide || spec.height > kMaxImageSide || pixels > kMaxImagePixels) {
        result.error = path + ": the image is too large (" + std::to_string(spec.width) + " x " +
                       std::to_string(spec.height) + " pixels; at most " +
                       std::to_string(kMaxImagePixels) + " pixels and " +
                       std::to_string(kMaxImageSide) + " along a side)";
        return result;
    }
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
    if (depth == PixelDepth::Auto) depth = DepthForExtension(path);

    std::unique_ptr<OIIO::ImageOutput> out = OIIO::ImageOutput::create(path);
    if (!out) return path + ": no image format for this name (" + OIIO::geterror() + ")";

    const fs::path target(path);
    const fs::path temp = TemporaryPathFor(target);
    std::string error = WritePixels(*out, temp.string(), image, depth);
    out.reset();
    std::error_code ec;
    if (error.empty()) {
        fs::rename(temp, target, ec);
        if (ec) error = "cannot replace the file: " + ec.message();
    }
    if (!error.empty()) {
        fs::remove(temp, ec);
        return path + ": " + error;
    }
    return {};
}
