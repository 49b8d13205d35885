#include "studio/render/png_reader.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// libpng reports errors by long-jumping back to the setjmp of the call that
// failed. Every function that sets one below keeps only plain values in its
// frame, so the jump skips no destructor.
class PngRowReader final : public ImageRowReader {
public:
    ~PngRowReader() override {
        if (png) png_destroy_read_struct(&png, &info, nullptr);
        if (file) std::fclose(file);
    }

    // Null `this->png` after a failure; `unsupported` for a kind of PNG read elsewhere.
    bool Open(const std::string& path, bool& unsupported) {
        file = std::fopen(path.c_str(), "rb");
        if (!file) return Fail(std::strerror(errno));
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png) info = png_create_info_struct(png);
        if (!png || !info) return Fail("not enough memory");
        if (!ReadHeader()) return false;
        unsupported = !Supported();
        return true;
    }

    ImageLayout Layout() const override { return layout; }

    bool ReadRows(int first, int end, SampleType type, void* data) override {
        if (first < nextRow || end > layout.height || first > end) {
            message = "rows " + std::to_string(first) + ".." + std::to_string(end) + " cannot be read in this order";
            return false;
        }
        const std::size_t rowBytes = std::size_t(layout.width) * std::size_t(layout.channels);
        row.resize(rowBytes);
        while (nextRow < first) {
            if (!ReadRow(row.data())) return false;
        }
        for (int y = first; y < end; ++y) {
            const std::size_t at = std::size_t(y - first) * rowBytes;
            if (type == SampleType::UInt8) {
                if (!ReadRow(static_cast<unsigned char*>(data) + at)) return false;
                continue;
            }
            if (!ReadRow(row.data())) return false;
            float* out = static_cast<float*>(data) + at;
            for (std::size_t i = 0; i < rowBytes; ++i) out[i] = byteToFloat[row[i]];
        }
        return true;
    }

    void ByteToFloat(float table[256]) const override { std::memcpy(table, byteToFloat, sizeof byteToFloat); }
    std::string Error() const override { return message; }

    PngRowReader() {
        // As OpenImageIO converts bytes: by the reciprocal of 255, not by a division.
        for (int i = 0; i < 256; ++i) byteToFloat[i] = float(i) * (1.0f / 255.0f);
    }

private:
    static void OnError(png_structp png, png_const_charp text) {
        static_cast<PngRowReader*>(png_get_error_ptr(png))->message = text;
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}

    bool Fail(const char* why) {
        message = why;
        return false;
    }

    bool ReadHeader() {
        if (setjmp(png_jmpbuf(png))) return false;
        png_init_io(png, file);
        png_read_info(png, info);
        png_uint_32 width = 0, height = 0;
        png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
        layout.width = int(width);  // libpng refuses sides beyond 2^31 - 1
        layout.height = int(height);
        layout.eightBit = true;
        layout.channels = png_get_channels(png, info);
        hasTransparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
        return true;
    }

    bool Supported() const {
        const bool direct = colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA ||
                            colorType == PNG_COLOR_TYPE_RGB || colorType == PNG_COLOR_TYPE_RGB_ALPHA;
        return direct && bitDepth == 8 && interlace == PNG_INTERLACE_NONE && !hasTransparency;
    }

    bool ReadRow(unsigned char* out) {
        if (setjmp(png_jmpbuf(png))) return false;
        png_read_row(png, out, nullptr);
        ++nextRow;
        return true;
    }

    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    int bitDepth = 0, colorType = 0, interlace = 0;
    bool hasTransparency = false;
    ImageLayout layout;
    int nextRow = 0;
    std::vector<unsigned char> row;
    float byteToFloat[256];
    std::string message;
};

}  // namespace

bool LooksLikePng(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    unsigned char start[8] = {};
    const bool png = std::fread(start, 1, 8, file) == 8 && std::memcmp(start, kSignature, 8) == 0;
    std::fclose(file);
    return png;
}

std::unique_ptr<ImageRowReader> OpenPngReader(const std::string& path, bool& unsupported, std::string& error) {
    unsupported = false;
    auto reader = std::make_unique<PngRowReader>();
    if (!reader->Open(path, unsupported)) {
        error = path + ": cannot read the image (" + reader->Error() + ")";
        return nullptr;
    }
    if (unsupported) return nullptr;
    return reader;
}
