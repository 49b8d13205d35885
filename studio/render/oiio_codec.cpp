// libtintora_oiio.so: image files through OpenImageIO, for every format the
// studio does not read or write itself.

#include "studio/render/oiio_codec.h"

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <cstdint>

#include "studio/render/sample_conversion.h"

namespace {

class OiioRowReader final : public ImageRowReader {
public:
    explicit OiioRowReader(std::unique_ptr<OIIO::ImageInput> input) : in(std::move(input)) {
        const OIIO::ImageSpec& spec = in->spec();
        layout.width = spec.width;
        layout.height = spec.height;
        layout.channels = std::clamp(spec.nchannels, 1, 4);
        layout.eightBit = spec.format == OIIO::TypeDesc::UINT8 && spec.channelformats.empty();
    }
    ImageLayout Layout() const override { return layout; }
    bool ReadRows(int first, int end, SampleType type, void* data) override {
        const OIIO::TypeDesc format = type == SampleType::UInt8 ? OIIO::TypeDesc::UINT8 : OIIO::TypeDesc::FLOAT;
        // A whole image is read as such, which tiled files need.
        if (first == 0 && end == layout.height) return in->read_image(0, 0, 0, layout.channels, format, data);
        return in->read_scanlines(0, 0, first, end, 0, 0, layout.channels, format, data);
    }
    void ByteToFloat(float table[256]) const override {
        unsigned char all[256];
        for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
        OIIO::convert_pixel_values(OIIO::TypeDesc::UINT8, all, OIIO::TypeDesc::FLOAT, table, 256);
    }
    std::string Error() const override { return in->geterror(); }

private:
    std::unique_ptr<OIIO::ImageInput> in;
    ImageLayout layout;
};

std::unique_ptr<ImageRowReader> OpenReader(const std::string& path, std::string& error) {
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
    return std::make_unique<OiioRowReader>(std::move(in));
}

OIIO::TypeDesc TypeOf(PixelDepth depth) {
    return depth == PixelDepth::Float32 ? OIIO::TypeDesc::FLOAT
           : depth == PixelDepth::UInt16 ? OIIO::TypeDesc::UINT16
                                         : OIIO::TypeDesc::UINT8;
}

class OiioFileWriter final : public ImageFileWriter {
public:
    OiioFileWriter(std::unique_ptr<OIIO::ImageOutput> output, int imageWidth, int channelCount, OIIO::TypeDesc sampleType)
        : out(std::move(output)), width(imageWidth), channels(channelCount), type(sampleType) {}
    ~OiioFileWriter() override {
        if (open) out->close();
    }
    bool Start(const std::string& temp, const OIIO::ImageSpec& spec) { return open = out->open(temp, spec); }

    void Encode(const ColorRGBA* pixels, EncodedBand& band) const override {
        const std::size_t count = std::size_t(band.end - band.first) * std::size_t(width);
        band.bytes.resize(count * std::size_t(channels) * type.size());
        if (type == OIIO::TypeDesc::FLOAT)
            Interleave(pixels, count, channels, reinterpret_cast<float*>(band.bytes.data()));
        else if (type == OIIO::TypeDesc::UINT16)
            Quantise(pixels, count, channels, reinterpret_cast<std::uint16_t*>(band.bytes.data()));
        else
            Quantise(pixels, count, channels, band.bytes.data());
    }
    bool Write(const EncodedBand& band) override {
        return out->write_scanlines(band.first, band.end, 0, type, band.bytes.data());
    }
    bool Close() override {
        open = false;
        return out->close();
    }
    std::string Error() const override { return out->geterror(); }

private:
    std::unique_ptr<OIIO::ImageOutput> out;
    int width, channels;
    OIIO::TypeDesc type;
    bool open = false;
};

std::unique_ptr<ImageFileWriter> OpenWriter(const std::string& target, const std::string& temp,
                                            const ImageFileSettings& settings, std::string& error) {
    std::unique_ptr<OIIO::ImageOutput> out = OIIO::ImageOutput::create(target);
    if (!out) {
        error = "no image format for this name (" + OIIO::geterror() + ")";
        return nullptr;
    }
    const int channels = settings.alpha && out->supports("alpha") ? 4 : 3;
    const OIIO::TypeDesc type = TypeOf(settings.depth);
    OIIO::ImageSpec spec(settings.width, settings.height, channels, type);
    if (channels == 4) spec.alpha_channel = 3;
    // Texture colours are not premultiplied by alpha: store them as they are.
    spec.attribute("oiio:UnassociatedAlpha", 1);
    auto writer = std::make_unique<OiioFileWriter>(std::move(out), settings.width, channels, type);
    if (!writer->Start(temp, spec)) {
        error = writer->Error();
        if (error.empty()) error = "cannot start the file";
        return nullptr;
    }
    return writer;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const OiioCodec* TintoraOiioCodec() {
    static const OiioCodec codec{OpenReader, OpenWriter};
    return &codec;
}
