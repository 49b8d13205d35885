#include "studio/render/image_writer.h"

#include <OpenImageIO/imageio.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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

// A name beside the target that keeps its extension, so the format writer
// chosen for the target accepts it.
fs::path TemporaryPathFor(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const std::string tag = ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    fs::path temp = target;
    std::string name = ".";
    name += target.stem().string();
    name += tag;
    name += target.extension().string();
    temp.replace_filename(name);
    return temp;
}

// Integer formats hold 0..1 only: clamp (NaN counts as 0) and round.
template <typename T>
void Quantise(const ColorRGBA* pixels, std::size_t count, int channels, T* out) {
    constexpr float top = float(std::numeric_limits<T>::max());
    for (std::size_t i = 0; i < count; ++i) {
        const float c[4] = {pixels[i].r, pixels[i].g, pixels[i].b, pixels[i].a};
        for (int k = 0; k < channels; ++k) {
            const float v = c[k] > 1.0f ? 1.0f : (c[k] >= 0.0f ? c[k] : 0.0f);
            *out++ = T(v * top + 0.5f);
        }
    }
}

void Interleave(const ColorRGBA* pixels, std::size_t count, int channels, float* out) {
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(out, &pixels[i], sizeof(float) * std::size_t(channels));
        out += channels;
    }
}

}  // namespace

// 8-bit binary PPM, byte for byte as OpenImageIO writes it ("P6", the size,
// 255, then the samples), but a band in one write: its writer hands the C
// library each sample on its own, which costs more than the colour work.
class RawPpmFile {
public:
    bool Open(const std::string& file, int width, int height) {
        handle = std::fopen(file.c_str(), "wb");
        return handle && std::fprintf(handle, "P6\n%d %d\n255\n", width, height) > 0;
    }
    bool Write(const void* data, std::size_t size) { return std::fwrite(data, 1, size, handle) == size; }
    bool Close() {
        const bool ok = handle && std::fclose(handle) == 0;
        handle = nullptr;
        return ok;
    }
    ~RawPpmFile() {
        if (handle) std::fclose(handle);
    }
    explicit operator bool() const { return handle != nullptr; }

private:
    std::FILE* handle = nullptr;
};

bool IsPpm(const std::string& path) { return Lowercase(fs::path(path).extension().string()) == ".ppm"; }

struct ImageBandWriter::State {
    std::unique_ptr<OIIO::ImageOutput> out;
    RawPpmFile ppm;
    std::string path;
    fs::path target, temp;
    int width = 0, channels = 0;
    OIIO::TypeDesc type;
    std::vector<unsigned char> scratch;  // one band in the file's layout, reused
    bool open = false;

    std::string Fail(std::string error) {
        if (error.empty()) error = "could not write the pixels";
        if (open) {
            if (ppm)
                ppm.Close();
            else
                out->close();
            open = false;
        }
        out.reset();
        std::error_code ec;
        fs::remove(temp, ec);
        return path + ": " + error;
    }
};

ImageBandWriter::ImageBandWriter() : state(std::make_unique<State>()) {}

ImageBandWriter::~ImageBandWriter() {
    if (state->out) state->Fail({});
}

std::string ImageBandWriter::Open(const std::string& path, int width, int height, PixelDepth depth, bool alpha) {
    State& s = *state;
    s.path = path;
    if (width <= 0 || height <= 0) return path + ": nothing to write (the image is empty)";
    if (depth == PixelDepth::Auto) depth = DepthForExtension(path);
    s.out = OIIO::ImageOutput::create(path);
    if (!s.out) return path + ": no image format for this name (" + OIIO::geterror() + ")";

    s.target = fs::path(path);
    s.temp = TemporaryPathFor(s.target);
    s.width = width;
    s.channels = alpha && s.out->supports("alpha") ? 4 : 3;
    s.type = depth == PixelDepth::Float32  ? OIIO::TypeDesc::FLOAT
             : depth == PixelDepth::UInt16 ? OIIO::TypeDesc::UINT16
                                           : OIIO::TypeDesc::UINT8;
    OIIO::ImageSpec spec(width, height, s.channels, s.type);
    if (s.channels == 4) spec.alpha_channel = 3;
    // Texture colours are not premultiplied by alpha: store them as they are.
    spec.attribute("oiio:UnassociatedAlpha", 1);
    if (IsPpm(path) && s.type == OIIO::TypeDesc::UINT8 && s.channels == 3) {
        s.open = true;
        if (!s.ppm.Open(s.temp.string(), width, height)) return s.Fail(std::strerror(errno));
        return {};
    }
    if (!s.out->open(s.temp.string(), spec)) return s.Fail(s.out->geterror());
    s.open = true;
    return {};
}

std::string ImageBandWriter::WriteRows(int first, int end, const ColorRGBA* pixels) {
    State& s = *state;
    const std::size_t count = std::size_t(end - first) * std::size_t(s.width);
    s.scratch.resize(count * std::size_t(s.channels) * s.type.size());
    if (s.type == OIIO::TypeDesc::FLOAT)
        Interleave(pixels, count, s.channels, reinterpret_cast<float*>(s.scratch.data()));
    else if (s.type == OIIO::TypeDesc::UINT16)
        Quantise(pixels, count, s.channels, reinterpret_cast<std::uint16_t*>(s.scratch.data()));
    else
        Quantise(pixels, count, s.channels, s.scratch.data());
    if (s.ppm) {
        if (!s.ppm.Write(s.scratch.data(), s.scratch.size())) return s.Fail(std::strerror(errno));
        return {};
    }
    if (!s.out->write_scanlines(first, end, 0, s.type, s.scratch.data())) return s.Fail(s.out->geterror());
    return {};
}

std::string ImageBandWriter::Finish() {
    State& s = *state;
    s.open = false;
    if (s.ppm) {
        if (!s.ppm.Close()) return s.Fail(std::strerror(errno));
    } else if (!s.out->close()) {
        return s.Fail(s.out->geterror());
    }
    s.out.reset();
    std::error_code ec;
    fs::rename(s.temp, s.target, ec);
    if (ec) return s.Fail("cannot replace the file: " + ec.message());
    return {};
}
