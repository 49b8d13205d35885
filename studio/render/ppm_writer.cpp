// 8-bit binary PPM, byte for byte as OpenImageIO writes it ("P6", the size,
// 255, then the samples), each band in one write.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "studio/render/native_writers.h"
#include "studio/render/sample_conversion.h"

namespace {

class PpmFileWriter final : public ImageFileWriter {
public:
    explicit PpmFileWriter(int imageWidth) : width(imageWidth) {}
    ~PpmFileWriter() override {
        if (file) std::fclose(file);
    }
    bool Start(const std::string& temp, int height) {
        file = std::fopen(temp.c_str(), "wb");
        return file && std::fprintf(file, "P6\n%d %d\n255\n", width, height) > 0;
    }

    void Encode(const ColorRGBA* pixels, EncodedBand& band) const override {
        const std::size_t count = std::size_t(band.end - band.first) * std::size_t(width);
        band.bytes.resize(count * 3);
        Quantise(pixels, count, 3, band.bytes.data());
    }
    bool Write(const EncodedBand& band) override {
        return std::fwrite(band.bytes.data(), 1, band.bytes.size(), file) == band.bytes.size() || Failed();
    }
    bool Close() override {
        const int result = std::fclose(file);
        file = nullptr;
        return result == 0 || Failed();
    }
    std::string Error() const override { return message; }

private:
    bool Failed() {
        message = std::strerror(errno);
        return false;
    }
    std::FILE* file = nullptr;
    int width;
    std::string message;
};

}  // namespace

std::unique_ptr<ImageFileWriter> OpenPpmWriter(const std::string& temp, const ImageFileSettings& settings,
                                               std::string& error) {
    auto writer = std::make_unique<PpmFileWriter>(settings.width);
    if (!writer->Start(temp, settings.height)) {
        error = std::strerror(errno);
        return nullptr;
    }
    return writer;
}
