#include "studio/render/image_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "studio/render/native_writers.h"
#include "studio/render/oiio_codec.h"

namespace fs = std::filesystem;

namespace {

std::string Extension(const std::string& path) {
    std::string text = fs::path(path).extension().string();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    return text;
}

PixelDepth DepthForExtension(const std::string& extension) {
    if (extension == ".exr" || extension == ".hdr") return PixelDepth::Float32;
    if (extension == ".tif" || extension == ".tiff") return PixelDepth::UInt16;
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

// 8-bit PNG and PPM files are written here; everything else by OpenImageIO.
std::unique_ptr<ImageFileWriter> OpenFormat(const std::string& path, const std::string& temp,
                                            const ImageFileSettings& settings, std::string& error) {
    const std::string extension = Extension(path);
    if (settings.depth == PixelDepth::UInt8 && extension == ".png") return OpenPngWriter(temp, settings, error);
    if (settings.depth == PixelDepth::UInt8 && extension == ".ppm") return OpenPpmWriter(temp, settings, error);
    const OiioCodec* oiio = LoadOiioCodec(error);
    return oiio ? oiio->openWriter(path, temp, settings, error) : nullptr;
}

}  // namespace

struct ImageBandWriter::State {
    std::unique_ptr<ImageFileWriter> format;
    std::string path;
    fs::path target, temp;
    int height = 0;
    int nextRow = 0;  // the first row not yet written
    std::uint64_t id = NewWriterId();

    static std::uint64_t NewWriterId() {
        static std::atomic<std::uint64_t> last{0};
        return ++last;
    }

    std::string Fail(std::string error) {
        if (error.empty()) error = "could not write the pixels";
        format.reset();  // closes the file, if open
        std::error_code ec;
        if (!temp.empty()) fs::remove(temp, ec);
        return path + ": " + error;
    }
};

ImageBandWriter::ImageBandWriter() : state(std::make_unique<State>()) {}

ImageBandWriter::~ImageBandWriter() {
    if (state->format) state->Fail({});
}

std::string ImageBandWriter::Open(const std::string& path, int width, int height, PixelDepth depth, bool alpha) {
    State& s = *state;
    s.path = path;
    if (width <= 0 || height <= 0) return path + ": nothing to write (the image is empty)";
    ImageFileSettings settings;
    settings.width = width;
    settings.height = height;
    settings.depth = depth == PixelDepth::Auto ? DepthForExtension(Extension(path)) : depth;
    settings.alpha = alpha;
    s.target = fs::path(path);
    s.temp = TemporaryPathFor(s.target);
    s.height = height;
    s.nextRow = 0;
    std::string error;
    s.format = OpenFormat(path, s.temp.string(), settings, error);
    if (!s.format) return s.Fail(error);
    return {};
}

void ImageBandWriter::Encode(int first, int end, const ColorRGBA* pixels, EncodedBand& band) const {
    band.first = first;
    band.end = end;
    band.error.clear();
    if (!state->format) {
        band.error = "the file is not open";
        return;
    }
    if (first < 0 || end <= first || end > state->height) {
        band.error = "rows " + std::to_string(first) + ".." + std::to_string(end) + " are not in the image";
        return;
    }
    // A band's working state is only ever that of the writer encoding it.
    if (band.writer != state->id) {
        band.reusable.reset();
        band.writer = state->id;
    }
    state->format->Encode(pixels, band);
}

std::string ImageBandWriter::Write(const EncodedBand& band) {
    State& s = *state;
    if (!s.format) return s.Fail({});
    if (!band.error.empty()) return s.Fail(band.error);
    if (band.first != s.nextRow || band.end <= band.first || band.end > s.height)
        return s.Fail("rows " + std::to_string(band.first) + ".." + std::to_string(band.end) +
                      " do not follow row " + std::to_string(s.nextRow));
    if (!s.format->Write(band)) return s.Fail(s.format->Error());
    s.nextRow = band.end;
    return {};
}

std::string ImageBandWriter::WriteRows(int first, int end, const ColorRGBA* pixels) {
    EncodedBand band;
    Encode(first, end, pixels, band);
    return Write(band);
}

std::string ImageBandWriter::Finish() {
    State& s = *state;
    if (!s.format) return s.Fail({});
    if (s.nextRow != s.height)
        return s.Fail("only " + std::to_string(s.nextRow) + " of " + std::to_string(s.height) + " rows were written");
    const bool closed = s.format->Close();
    const std::string why = closed ? std::string() : s.format->Error();
    s.format.reset();
    if (!closed) return s.Fail(why);
    std::error_code ec;
    fs::rename(s.temp, s.target, ec);
    if (ec) return s.Fail("cannot replace the file: " + ec.message());
    return {};
}
