// The PNG reader over untrusted bytes: whatever the file holds, opening it
// and reading its rows (in bands, as bytes and as floats) never reads or
// writes outside the buffers, and a refusal always says why.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "studio/render/png_reader.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "png reader: %s\n", what);
    std::abort();
}

const std::string& InputPath() {
    static const std::string path = "/tmp/tintora-fuzz-png-" + std::to_string(getpid()) + ".png";
    return path;
}

void ReadInBands(ImageRowReader& reader) {
    const ImageLayout layout = reader.Layout();
    Check(layout.channels >= 1 && layout.channels <= 4, "channel count out of range");
    const std::size_t row = std::size_t(layout.width) * std::size_t(layout.channels);
    if (layout.width <= 0 || layout.height <= 0 || row * std::size_t(layout.height) > (std::size_t(1) << 22)) return;
    std::vector<std::uint8_t> bytes(row * 3);
    std::vector<float> floats(row * 3);
    // Bands of up to three rows, alternating bytes and floats, skipping one.
    for (int first = 0, n = 0; first < layout.height; ++n) {
        const int end = std::min(first + 1 + n % 3, layout.height);
        const bool ok = n % 2 ? reader.ReadRows(first, end, SampleType::Float32, floats.data())
                              : reader.ReadRows(first, end, SampleType::UInt8, bytes.data());
        if (!ok) {
            Check(!reader.Error().empty(), "a failed read without a reason");
            return;
        }
        first = end + (n % 4 == 3);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    Check(file != nullptr, "cannot write the input file");
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    bool unsupported = false;
    std::string error;
    std::unique_ptr<ImageRowReader> reader = OpenPngReader(InputPath(), unsupported, error);
    if (reader) {
        ReadInBands(*reader);
    } else {
        Check(unsupported || !error.empty(), "a refusal without a reason");
    }
    return 0;
}
