#include "studio/render/image_reader.h"

#include "studio/render/image_file.h"
#include "studio/render/oiio_codec.h"
#include "studio/render/png_reader.h"

namespace {

// A header may claim any size: refuse what cannot be held before anything
// is allocated for it.
bool SizeAccepted(const std::string& path, const ImageLayout& layout, std::string& error) {
    const std::size_t pixels = std::size_t(layout.width) * std::size_t(layout.height);
    if (layout.width <= kMaxImageSide && layout.height <= kMaxImageSide && pixels <= kMaxImagePixels) return true;
    error = path + ": the image is too large (" + std::to_string(layout.width) + " x " +
            std::to_string(layout.height) + " pixels; at most " + std::to_string(kMaxImagePixels) +
            " pixels and " + std::to_string(kMaxImageSide) + " along a side)";
    return false;
}

std::unique_ptr<ImageRowReader> OpenAnyReader(const std::string& path, std::string& error) {
    if (LooksLikePng(path)) {
        bool unsupported = false;
        std::unique_ptr<ImageRowReader> png = OpenPngReader(path, unsupported, error);
        if (!unsupported) return png;
    }
    const OiioCodec* oiio = LoadOiioCodec(error);
    if (!oiio) {
        error = path + ": cannot read the image (" + error + ")";
        return nullptr;
    }
    return oiio->openReader(path, error);
}

}  // namespace

std::unique_ptr<ImageRowReader> OpenImageReader(const std::string& path, std::string& error) {
    std::unique_ptr<ImageRowReader> reader = OpenAnyReader(path, error);
    if (reader && !SizeAccepted(path, reader->Layout(), error)) return nullptr;
    return reader;
}
