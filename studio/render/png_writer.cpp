// 8-bit PNG files written band by band. Each band is quantised, filtered and
// deflated on its own (on whichever thread encodes it), ending on a byte
// boundary with a sync flush; the bands' deflate streams then join into one
// zlib stream, whose checksum is put together from the bands' own. Deflate
// is by far the slowest step of writing a PNG file, so this spreads it over
// every core.

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "studio/render/native_writers.h"
#include "studio/render/png_filters.h"
#include "studio/render/sample_conversion.h"

namespace {

constexpr int kLevel = 6;  // zlib's default, as other PNG writers use

// What a band keeps between uses: its buffers and its deflate stream, and
// the checksum of its filtered rows for the writer to join with the others.
struct BandState {
    z_stream stream{};
    bool streamReady = false;
    std::vector<std::uint8_t> samples, filtered;
    std::uint32_t adler = 1;
    ~BandState() {
        if (streamReady) deflateEnd(&stream);
    }
};

void PutBigEndian(std::uint32_t value, std::uint8_t* out) {
    out[0] = std::uint8_t(value >> 24);
    out[1] = std::uint8_t(value >> 16);
    out[2] = std::uint8_t(value >> 8);
    out[3] = std::uint8_t(value);
}

class PngFileWriter final : public ImageFileWriter {
public:
    explicit PngFileWriter(const ImageFileSettings& settings)
        : width(settings.width), height(settings.height), channels(settings.alpha ? 4 : 3) {}
    ~PngFileWriter() override {
        if (file) std::fclose(file);
    }

    bool Start(const std::string& temp) {
        file = std::fopen(temp.c_str(), "wb");
        if (!file) return Failed(std::strerror(errno));
        static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        std::uint8_t header[13];
        PutBigEndian(std::uint32_t(width), header);
        PutBigEndian(std::uint32_t(height), header + 4);
        header[8] = 8;                       // bits per sample
        header[9] = channels == 4 ? 6 : 2;   // RGBA or RGB
        header[10] = header[11] = header[12] = 0;  // deflate, adaptive filtering, not interlaced
        return Put(signature, 8) && Chunk("IHDR", {{header, 13}});
    }

    void Encode(const ColorRGBA* pixels, EncodedBand& band) const override {
        if (!band.reusable) band.reusable = std::make_shared<BandState>();
        BandState& state = *static_cast<BandState*>(band.reusable.get());
        const std::size_t rows = std::size_t(band.end - band.first);
        const std::size_t rowBytes = std::size_t(width) * std::size_t(channels);
        state.samples.resize(rows * rowBytes);
        state.filtered.resize(rows * (rowBytes + 1));
        Quantise(pixels, rows * std::size_t(width), channels, state.samples.data());
        for (std::size_t y = 0; y < rows; ++y) {
            const std::uint8_t* row = &state.samples[y * rowBytes];
            png_filters::FilterRow(row, y > 0 ? row - rowBytes : nullptr, rowBytes, std::size_t(channels),
                                   &state.filtered[y * (rowBytes + 1)]);
        }
        state.adler = std::uint32_t(adler32_z(1, state.filtered.data(), state.filtered.size()));
        if (!Deflate(state, band.end == height, band.bytes)) band.error = "cannot compress the pixels";
    }

    bool Write(const EncodedBand& band) override {
        // The zlib header (32K window, default level) comes before the first
        // band; the checksum of all the data after the last.
        static const std::uint8_t zlibHeader[2] = {0x78, 0x9c};
        std::uint8_t trailer[4];
        const BandState& state = *static_cast<const BandState*>(band.reusable.get());
        checksum = std::uint32_t(adler32_combine(checksum, state.adler, z_off_t(state.filtered.size())));
        PutBigEndian(checksum, trailer);
        const bool first = band.first == 0, last = band.end == height;
        return Chunk("IDAT", {{zlibHeader, first ? 2u : 0u}, {band.bytes.data(), band.bytes.size()},
                              {trailer, last ? 4u : 0u}});
    }

    bool Close() override {
        const bool ended = Chunk("IEND", {});
        const int closed = std::fclose(file);
        file = nullptr;
        if (!ended) return false;
        return closed == 0 || Failed(std::strerror(errno));
    }
    std::string Error() const override { return message; }

private:
    struct Span {
        const std::uint8_t* data;
        std::size_t size;
    };

    // The band's filtered rows as raw deflate data, ending on a byte
    // boundary so that the next band's data can follow; the last band ends
    // the stream.
    static bool Deflate(BandState& state, bool last, std::vector<unsigned char>& out) {
        z_stream& z = state.stream;
        if (!state.streamReady)
            state.streamReady = deflateInit2(&z, kLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
        else
            deflateReset(&z);
        if (!state.streamReady) return false;
        out.resize(deflateBound(&z, uLong(state.filtered.size())) + 16);
        z.next_in = state.filtered.data();
        z.avail_in = uInt(state.filtered.size());
        std::size_t written = 0;
        for (;;) {
            z.next_out = out.data() + written;
            z.avail_out = uInt(out.size() - written);
            const int result = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
            written = out.size() - z.avail_out;
            if (result == Z_STREAM_ERROR) return false;
            // Done once the input is used up and the flush had room to finish.
            if (last ? result == Z_STREAM_END : z.avail_in == 0 && z.avail_out != 0) break;
            out.resize(out.size() * 2);
        }
        out.resize(written);
        return true;
    }

    bool Put(const void* data, std::size_t size) {
        return std::fwrite(data, 1, size, file) == size || Failed(std::strerror(errno));
    }

    bool Chunk(const char type[4], std::initializer_list<Span> parts) {
        std::size_t length = 0;
        for (const Span& part : parts) length += part.size;
        std::uint8_t head[8];
        PutBigEndian(std::uint32_t(length), head);
        std::memcpy(head + 4, type, 4);
        uLong crc = crc32(0, head + 4, 4);
        for (const Span& part : parts) crc = crc32_z(crc, part.data, part.size);
        std::uint8_t tail[4];
        PutBigEndian(std::uint32_t(crc), tail);
        if (!Put(head, 8)) return false;
        for (const Span& part : parts)
            if (part.size && !Put(part.data, part.size)) return false;
        return Put(tail, 4);
    }

    bool Failed(const std::string& why) {
        message = why;
        return false;
    }

    std::FILE* file = nullptr;
    int width, height, channels;
    std::uint32_t checksum = 1;  // adler32 of everything deflated so far
    std::string message;
};

}  // namespace

std::unique_ptr<ImageFileWriter> OpenPngWriter(const std::string& temp, const ImageFileSettings& settings,
                                               std::string& error) {
    auto writer = std::make_unique<PngFileWriter>(settings);
    if (!writer->Start(temp)) {
        error = writer->Error();
        return nullptr;
    }
    return writer;
}
