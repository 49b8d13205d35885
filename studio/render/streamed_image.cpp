#include "studio/render/streamed_image.h"

#include <algorithm>
#include <cmath>

#include "studio/render/image_input.h"

struct StreamedImageTex::Reader {
    std::unique_ptr<OIIO::ImageInput> input;
};

StreamedImageTex::StreamedImageTex() : reader(std::make_unique<Reader>()) { SetBands(1, 1); }

StreamedImageTex::~StreamedImageTex() = default;

std::string StreamedImageTex::Open(const std::string& file) {
    path = file;
    std::string error;
    reader->input = OpenImageInput(path, error);
    if (!reader->input) return error;
    const OIIO::ImageSpec& spec = reader->input->spec();
    width = spec.width;
    height = spec.height;
    channels = ChannelsRead(spec);
    eightBit = spec.format == OIIO::TypeDesc::UINT8 && spec.channelformats.empty();
    // Bytes become floats exactly as a whole-image read as floats makes them.
    unsigned char all[256];
    for (int i = 0; i < 256; ++i) all[i] = static_cast<unsigned char>(i);
    OIIO::convert_pixel_values(OIIO::TypeDesc::UINT8, all, OIIO::TypeDesc::FLOAT, byteToFloat, 256);
    nextRow = 0;
    SetBands(bandRows, slotCount);
    return {};
}

void StreamedImageTex::SetBands(int rows, int slots) {
    bandRows = rows > 0 ? rows : 1;
    slotCount = slots > 0 ? slots : 1;
    const std::size_t values = std::size_t(bandRows) * std::size_t(width) * std::size_t(channels);
    bytes.assign(eightBit ? std::size_t(slotCount) : 0, std::vector<unsigned char>(values));
    floats.assign(eightBit ? 0 : std::size_t(slotCount), std::vector<float>(values));
    slotBand = std::make_unique<std::atomic<int>[]>(std::size_t(slotCount));
    for (int i = 0; i < slotCount; ++i) slotBand[std::size_t(i)].store(-1, std::memory_order_relaxed);
}

std::string StreamedImageTex::LoadRows(int first, int end) {
    if (!reader->input || first < 0 || end > height || end - first > bandRows || first % bandRows)
        return path + ": rows " + std::to_string(first) + ".." + std::to_string(end) + " cannot be read";
    if (first < nextRow) {
        if (std::string error = Open(path); !error.empty()) return error;
    }
    const int band = first / bandRows;
    const std::size_t slot = std::size_t(band % slotCount);
    slotBand[slot].store(-1, std::memory_order_release);
    void* data = eightBit ? static_cast<void*>(bytes[slot].data()) : static_cast<void*>(floats[slot].data());
    const OIIO::TypeDesc type = eightBit ? OIIO::TypeDesc::UINT8 : OIIO::TypeDesc::FLOAT;
    if (!reader->input->read_scanlines(0, 0, first, end, 0, 0, channels, type, data))
        return path + ": " + reader->input->geterror();
    nextRow = end;
    slotBand[slot].store(band, std::memory_order_release);
    return {};
}

ColorRGBA StreamedImageTex::Pixel(Point2 uv) const {
    if (!std::isfinite(uv.x) || !std::isfinite(uv.y) || width == 0) return {};
    // The image repeats: only the fraction of each coordinate matters. A
    // pixel centre lies half a pixel inside its pixel, far from any border
    // that rounding could cross.
    const double u = double(uv.x) - std::floor(double(uv.x));
    const double v = 1.0 - (double(uv.y) - std::floor(double(uv.y)));
    const int x = std::min(int(u * width), width - 1);
    const int y = std::min(int(v * height), height - 1);
    const int band = y / bandRows;
    const std::size_t slot = std::size_t(band % slotCount);
    if (slotBand[slot].load(std::memory_order_acquire) != band) return {};
    const std::size_t at = (std::size_t(y % bandRows) * std::size_t(width) + std::size_t(x)) * std::size_t(channels);
    float c[4];
    if (eightBit) {
        const unsigned char* p = &bytes[slot][at];
        for (int k = 0; k < channels; ++k) c[k] = byteToFloat[p[k]];
    } else {
        const float* p = &floats[slot][at];
        for (int k = 0; k < channels; ++k) c[k] = p[k];
    }
    return PixelFromChannels(c, channels);
}

ColorRGBA StreamedImageTex::EvaluateColor(ShadingContext& sc) {
    if (shadeTag) sc.SetShadeTag(shadeTag);
    return Pixel(sc.UV());
}

void StreamedImageTex::EvaluateColors(ShadingContext* const* samples, int count, ColorRGBA* colours) {
    for (int i = 0; i < count; ++i) {
        if (shadeTag) samples[i]->SetShadeTag(shadeTag);
        colours[i] = Pixel(samples[i]->UV());
    }
}

ReferenceTarget* StreamedImageTex::Clone(RemapDir&) {
    auto* copy = new StreamedImageTex;
    static_cast<MtlBase&>(*copy) = *this;
    copy->SetBands(bandRows, slotCount);
    copy->Open(path);  // a file that went missing shows transparent black
    return copy;
}
