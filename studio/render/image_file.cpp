#include "studio/render/image_file.h"

#include "studio/render/image_reader.h"
#include "studio/render/image_writer.h"

#include <memory>
#include <new>
#include <vector>

ImageReadResult ReadImage(const std::string& path) {
    ImageReadResult result;
    std::unique_ptr<ImageRowReader> in = OpenImageReader(path, result.error);
    if (!in) return result;
    const ImageLayout layout = in->Layout();
    const std::size_t pixels = std::size_t(layout.width) * std::size_t(layout.height);
    std::vector<float> values;
    try {
        values.resize(pixels * std::size_t(layout.channels));
        result.image = ImageBuffer(layout.width, layout.height);
    } catch (const std::bad_alloc&) {
        result.image = ImageBuffer();
        result.error = path + ": not enough memory for a " + std::to_string(layout.width) + " x " +
                       std::to_string(layout.height) + " image";
        return result;
    }
    if (!in->ReadRows(0, layout.height, SampleType::Float32, values.data())) {
        result.image = ImageBuffer();
        result.error = path + ": " + in->Error();
        return result;
    }
    for (std::size_t i = 0; i < result.image.pixels.size(); ++i)
        result.image.pixels[i] = PixelFromChannels(&values[i * std::size_t(layout.channels)], layout.channels);
    return result;
}

std::string WriteImage(const std::string& path, const ImageBuffer& image, PixelDepth depth) {
    if (image.Empty()) return path + ": nothing to write (the image is empty)";
    ImageBandWriter writer;
    if (std::string error = writer.Open(path, image.width, image.height, depth); !error.empty()) return error;
    if (std::string error = writer.WriteRows(0, image.height, image.pixels.data()); !error.empty()) return error;
    return writer.Finish();
}
