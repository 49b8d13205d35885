#include "studio/render/streamed_image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "studio/render/image_reader.h"

struct StreamedImageTex::Reader {
    std::unique_ptr<ImageRowReader> input;
};

StreamedImageTex::StreamedImageTex() : reader(std::make_unique<Reader>()) { SetBands(1, 1); }

StreamedImageTex::~StreamedImageTex() = default;

std::string StreamedImageTex::Open(const std::string& file) {
    path = file;
    std::string error;
    reader->input = OpenImageReader(path, error);
    if (!reader->input) return error;
    const ImageLayout layout = reader->input->Layout();
    width = layout.width;
    height = layout.height;
    channels = layout.channels;
    eightBit = layout.eightBit;
    // Bytes become floats exactly as a whole-image read as floats makes them.
    reader->input->ByteToFloat(byteToFloat);
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
    const SampleType type = eightBit ? SampleType::UInt8 : SampleType::Float32;
    if (!reader->input->ReadRows(first, end, type, data)) return path + ": " + reader->input->Error();
    nextRow = end;
    slotBand[slot].store(band, std::memory_order_release);
    return {};
}

namespace {

// x - floor(x) for a float: false when x is not finite. Coordinates inside
// the unit square (every pixel centre) are their own fraction; beyond it,
// floats of 2^23 and more are whole numbers, and below that truncation
// serves without a call to floor.
bool Fraction(float x, double& fraction) {
    const double d = x;
    if (d >= 0.0 && d < 1.0) {
        fraction = d;
        return true;
    }
    if (!std::isfinite(d)) return false;
    if (!(std::abs(d) < 8388608.0)) {
        fraction = 0.0;
        return true;
    }
    const double whole = double(std::int64_t(d));
    fraction = d - (whole > d ? whole - 1.0 : whole);
    return true;
}

}  // namespace

bool StreamedImageTex::PixelPlace(Point2 uv, int& x, int& y) const {
    // The image repeats: only the fraction of each coordinate matters. A
    // pixel centre lies half a pixel inside its pixel, far from any border
    // that rounding could cross.
    double u, v;
    if (width == 0 || !Fraction(uv.x, u) || !Fraction(uv.y, v)) return false;
    x = std::min(int(u * width), width - 1);
    y = std::min(int((1.0 - v) * height), height - 1);
    return true;
}

const void* StreamedImageTex::RowData(int y) const {
    const int band = y / bandRows;
    const std::size_t slot = std::size_t(band % slotCount);
    if (slotBand[slot].load(std::memory_order_acquire) != band) return nullptr;
    const std::size_t at = std::size_t(y % bandRows) * std::size_t(width) * std::size_t(channels);
    if (eightBit) return &bytes[slot][at];
    return &floats[slot][at];
}

ColorRGBA StreamedImageTex::PixelOf(const void* row, int x) const {
    const std::size_t at = std::size_t(x) * std::size_t(channels);
    float c[4];
    if (eightBit) {
        const unsigned char* p = static_cast<const unsigned char*>(row) + at;
        if (channels == 3) return {byteToFloat[p[0]], byteToFloat[p[1]], byteToFloat[p[2]], 1.0f};  // the usual case
        for (int k = 0; k < channels; ++k) c[k] = byteToFloat[p[k]];
    } else {
        const float* p = static_cast<const float*>(row) + at;
        for (int k = 0; k < channels; ++k) c[k] = p[k];
    }
    return PixelFromChannels(c, channels);
}

ColorRGBA StreamedImageTex::EvaluateColor(ShadingContext& sc) {
    if (shadeTag) sc.SetShadeTag(shadeTag);
    int x, y;
    if (!PixelPlace(sc.UV(), x, y)) return {};
    const void* row = RowData(y);
    return row ? PixelOf(row, x) : ColorRGBA{};
}

// Samples usually come a row at a time: the row's band is looked up once.
void StreamedImageTex::EvaluateColors(ShadingContext* const* samples, int count, ColorRGBA* colours) {
    int lastY = -1;
    const void* row = nullptr;
    for (int i = 0; i < count; ++i) {
        if (shadeTag) samples[i]->SetShadeTag(shadeTag);
        int x, y;
        if (!PixelPlace(samples[i]->UV(), x, y)) {
            colours[i] = {};
            continue;
        }
        if (y != lastY) {
            row = RowData(y);
            lastY = y;
        }
        colours[i] = row ? PixelOf(row, x) : ColorRGBA{};
    }
}

ReferenceTarget* StreamedImageTex::Clone(RemapDir&) {
    auto* copy = new StreamedImageTex;
    static_cast<MtlBase&>(*copy) = *this;
    copy->SetBands(bandRows, slotCount);
    copy->Open(path);  // a file that went missing shows transparent black
    return copy;
}
