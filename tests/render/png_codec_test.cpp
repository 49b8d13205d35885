// PNG files read and written by the studio itself agree with OpenImageIO,
// which handles every other kind of PNG file, and OpenImageIO is loaded only
// once a file needs it.

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "studio/render/image_file.h"
#include "studio/render/image_reader.h"
#include "studio/render/image_writer.h"
#include "studio/render/oiio_codec.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(v >> shift));
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    PutU32(out, std::uint32_t(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutU32(out, std::uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

// A PNG file made by hand: `rows` are the unfiltered rows, each stored with
// filter type 0. `extra` chunks (PLTE, tRNS) go before the data.
struct PngRecipe {
    int width, height, bitDepth, colorType;
    std::vector<std::pair<const char*, Bytes>> extra;
};

Bytes MakePng(const PngRecipe& recipe, const std::vector<Bytes>& rows) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    PutU32(header, std::uint32_t(recipe.width));
    PutU32(header, std::uint32_t(recipe.height));
    header.insert(header.end(), {std::uint8_t(recipe.bitDepth), std::uint8_t(recipe.colorType), 0, 0, 0});
    PutChunk(png, "IHDR", header);
    for (const auto& [type, data] : recipe.extra) PutChunk(png, type, data);
    Bytes raw;
    for (const Bytes& row : rows) {
        raw.push_back(0);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    uLongf size = compressBound(uLong(raw.size()));
    Bytes packed(size);
    compress(packed.data(), &size, raw.data(), uLong(raw.size()));
    packed.resize(size);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

// Rows of `bytesPerRow` bytes whose values differ from pixel to pixel.
std::vector<Bytes> Ramp(int height, int bytesPerRow) {
    std::vector<Bytes> rows(std::size_t(height), Bytes(std::size_t(bytesPerRow), 0));
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < bytesPerRow; ++i) rows[std::size_t(y)][std::size_t(i)] = std::uint8_t(y * 37 + i * 11 + 3);
    return rows;
}

const OiioCodec& Oiio() {
    std::string error;
    const OiioCodec* codec = LoadOiioCodec(error);
    if (!codec) throw std::runtime_error(error);
    return *codec;
}

// The whole image as floats, through `reader`.
std::vector<float> ReadAll(ImageRowReader& reader) {
    const ImageLayout layout = reader.Layout();
    std::vector<float> values(std::size_t(layout.width) * std::size_t(layout.height) * std::size_t(layout.channels));
    EXPECT_TRUE(reader.ReadRows(0, layout.height, SampleType::Float32, values.data())) << reader.Error();
    return values;
}

bool OpenImageIOLoaded() {
    std::ifstream maps("/proc/self/maps");
    const std::string text{std::istreambuf_iterator<char>(maps), std::istreambuf_iterator<char>()};
    return text.find("libOpenImageIO") != std::string::npos;
}

class PngCodecTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tintora-png-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string Save(const std::string& name, const Bytes& bytes) const {
        std::ofstream(Path(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          std::streamsize(bytes.size()));
        return Path(name);
    }
    fs::path dir;
};

struct VariantCase {
    const char* name;
    PngRecipe recipe;
    int bytesPerRow;
    int channels;
};

// Every kind of PNG file reads the same through the studio's front as
// through OpenImageIO alone, whether read here (8-bit grey, grey + alpha,
// RGB, RGBA) or handed on (16 bits, palette, transparency chunk).
TEST_F(PngCodecTest, EveryKindReadsAsOpenImageIOReadsIt) {
    const Bytes palette = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    const VariantCase cases[] = {
        {"grey", {5, 3, 8, 0, {}}, 5, 1},
        {"grey_alpha", {5, 3, 8, 4, {}}, 10, 2},
        {"rgb", {5, 3, 8, 2, {}}, 15, 3},
        {"rgba", {5, 3, 8, 6, {}}, 20, 4},
        {"rgb16", {5, 3, 16, 2, {}}, 30, 3},
        {"palette", {4, 3, 2, 3, {{"PLTE", palette}}}, 1, 3},
        {"rgb_transparent", {5, 3, 8, 2, {{"tRNS", {0, 3, 0, 14, 0, 25}}}}, 15, 4},
    };
    for (const VariantCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Save(std::string(c.name) + ".png", MakePng(c.recipe, Ramp(c.recipe.height, c.bytesPerRow)));
        std::string error;
        std::unique_ptr<ImageRowReader> front = OpenImageReader(path, error);
        std::unique_ptr<ImageRowReader> oiio = Oiio().openReader(path, error);
        ASSERT_TRUE(front && oiio) << error;
        EXPECT_EQ(front->Layout().channels, c.channels);
        EXPECT_EQ(front->Layout().channels, oiio->Layout().channels);
        EXPECT_EQ(front->Layout().eightBit, oiio->Layout().eightBit);
        EXPECT_EQ(ReadAll(*front), ReadAll(*oiio));
    }
}

TEST_F(PngCodecTest, BytesBecomeTheFloatsOpenImageIOMakes) {
    const std::string path = Save("grey.png", MakePng({16, 16, 8, 0, {}}, Ramp(16, 16)));
    std::string error;
    std::unique_ptr<ImageRowReader> front = OpenImageReader(path, error);
    std::unique_ptr<ImageRowReader> oiio = Oiio().openReader(path, error);
    ASSERT_TRUE(front && oiio) << error;
    float mine[256], theirs[256];
    front->ByteToFloat(mine);
    oiio->ByteToFloat(theirs);
    EXPECT_EQ(std::vector<float>(mine, mine + 256), std::vector<float>(theirs, theirs + 256));
}

// Rows read in bands, skipping some, as the streamed source reads them.
TEST_F(PngCodecTest, BandsMaySkipRowsButNotGoBack) {
    const std::vector<Bytes> rows = Ramp(6, 3);
    const std::string path = Save("grey.png", MakePng({3, 6, 8, 0, {}}, rows));
    std::string error;
    std::unique_ptr<ImageRowReader> reader = OpenImageReader(path, error);
    ASSERT_TRUE(reader) << error;
    std::uint8_t band[6];
    ASSERT_TRUE(reader->ReadRows(2, 4, SampleType::UInt8, band)) << reader->Error();
    EXPECT_EQ(Bytes(band, band + 3), rows[2]);
    EXPECT_EQ(Bytes(band + 3, band + 6), rows[3]);
    EXPECT_FALSE(reader->ReadRows(0, 1, SampleType::UInt8, band));
    EXPECT_NE(reader->Error(), "");
}

// A damaged file is refused with its name; a header claiming an enormous
// image is refused before anything is allocated for it.
TEST_F(PngCodecTest, DamagedFilesAreRefusedByName) {
    Bytes good = MakePng({4, 4, 8, 2, {}}, Ramp(4, 12));
    Bytes badCrc = good;
    badCrc[29] ^= 0xff;  // inside IHDR's checksum
    Bytes cut(good.begin(), good.end() - 30);
    Bytes noData = MakePng({4, 4, 8, 2, {}}, {});
    const Bytes huge = MakePng({100000, 100000, 8, 2, {}}, {});
    const std::pair<const char*, Bytes> cases[] = {
        {"crc.png", badCrc}, {"cut.png", cut}, {"nodata.png", noData}, {"huge.png", huge}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const ImageReadResult read = ReadImage(Save(name, bytes));
        EXPECT_NE(read.error.find(name), std::string::npos) << read.error;
        EXPECT_TRUE(read.image.Empty());
    }
    EXPECT_NE(ReadImage(Path("huge.png")).error.find("too large"), std::string::npos);
}

// What the studio writes, band by band with the bands encoded on several
// threads out of order, OpenImageIO reads back exactly; and the file is
// sound throughout (every chunk's CRC, and the zlib stream's checksum).
TEST_F(PngCodecTest, WrittenFilesReadBackExactly) {
    struct Size {
        int width, height, bandRows;
        bool alpha;
    };
    for (const Size size : {Size{1, 1, 1, true}, Size{7, 13, 4, true}, Size{33, 9, 2, false}, Size{1, 40, 3, false}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        ImageBuffer image(size.width, size.height);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
                image.At(x, y) = {float((x * 7 + y * 3) % 256) / 255.0f, float((x * y) % 256) / 255.0f,
                                  float((x + 5 * y) % 3) * 0.5f, float((x + y) % 2)};
        const std::string path = Path("out.png");
        ImageBandWriter writer;
        ASSERT_EQ(writer.Open(path, size.width, size.height, PixelDepth::Auto, size.alpha), "");
        std::vector<EncodedBand> bands(std::size_t((size.height + size.bandRows - 1) / size.bandRows));
        std::vector<std::thread> threads;
        for (std::size_t b = bands.size(); b-- > 0;) {
            threads.emplace_back([&, b] {
                const int first = int(b) * size.bandRows, end = std::min(first + size.bandRows, size.height);
                writer.Encode(first, end, &image.At(0, first), bands[b]);
            });
        }
        for (std::thread& t : threads) t.join();
        for (const EncodedBand& band : bands) ASSERT_EQ(writer.Write(band), "");
        ASSERT_EQ(writer.Finish(), "");

        std::string error;
        std::unique_ptr<ImageRowReader> oiio = Oiio().openReader(path, error);
        ASSERT_TRUE(oiio) << error;
        ASSERT_EQ(oiio->Layout().channels, size.alpha ? 4 : 3);
        const int channels = oiio->Layout().channels;
        Bytes stored(image.pixels.size() * std::size_t(channels));
        ASSERT_TRUE(oiio->ReadRows(0, size.height, SampleType::UInt8, stored.data())) << oiio->Error();
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const ColorRGBA& p = image.pixels[i];
            const float wanted[4] = {p.r, p.g, p.b, p.a};
            for (int k = 0; k < channels; ++k)  // clamped to 0..1, then rounded
                ASSERT_EQ(stored[i * std::size_t(channels) + std::size_t(k)],
                          std::uint8_t(std::min(wanted[k], 1.0f) * 255.0f + 0.5f))
                    << "pixel " << i << " channel " << k;
        }

        std::ifstream in(path, std::ios::binary);
        const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        Bytes stream;
        for (std::size_t at = 8; at + 12 <= file.size();) {
            const std::size_t length = std::size_t(file[at]) << 24 | std::size_t(file[at + 1]) << 16 |
                                       std::size_t(file[at + 2]) << 8 | file[at + 3];
            ASSERT_LE(at + 12 + length, file.size());
            const std::uint32_t crc = std::uint32_t(crc32(0, &file[at + 4], uInt(length + 4)));
            const std::size_t c = at + 8 + length;
            EXPECT_EQ(crc, std::uint32_t(file[c]) << 24 | std::uint32_t(file[c + 1]) << 16 |
                               std::uint32_t(file[c + 2]) << 8 | file[c + 3]);
            if (std::string(file.begin() + long(at + 4), file.begin() + long(at + 8)) == "IDAT")
                stream.insert(stream.end(), file.begin() + long(at + 8), file.begin() + long(c));
            at = c + 4;
        }
        const std::size_t rowBytes = std::size_t(size.width) * (size.alpha ? 4 : 3) + 1;
        Bytes raw(rowBytes * std::size_t(size.height));
        uLongf rawSize = uLongf(raw.size());
        EXPECT_EQ(uncompress(raw.data(), &rawSize, stream.data(), uLong(stream.size())), Z_OK);
        EXPECT_EQ(rawSize, raw.size());
    }
}

// Correcting PNG and PPM files needs no OpenImageIO; other formats load it.
TEST_F(PngCodecTest, OpenImageIOIsLoadedOnlyForOtherFormats) {
    if (OpenImageIOLoaded()) GTEST_SKIP() << "an earlier test in this process loaded OpenImageIO";
    ImageBuffer image(3, 2);
    ASSERT_EQ(WriteImage(Path("a.png"), image), "");
    ASSERT_EQ(WriteImage(Path("a.ppm"), image), "");
    ASSERT_EQ(ReadImage(Path("a.png")).error, "");
    EXPECT_FALSE(OpenImageIOLoaded());
    ASSERT_EQ(WriteImage(Path("a.exr"), image), "");
    EXPECT_TRUE(OpenImageIOLoaded());
}

}  // namespace
