// Draws the about rollup's two images, 128 x 87 pixels with a 256-colour
// palette: a colour wheel (image 107) and the product name over a hue
// spectrum (image 109). Run it to regenerate the committed .bmp files:
//   tintora_about_images OUTPUT_DIR

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

constexpr int Width = 128;
constexpr int Height = 87;
constexpr int Hues = 24;
constexpr int Levels = 10;
constexpr int FirstHue = 16;  // palette entries 16..255: Hues x Levels colours

// Palette entries below FirstHue.
constexpr std::uint8_t Background = 0;
constexpr std::uint8_t White = 1;
constexpr std::uint8_t Shadow = 2;
constexpr std::uint8_t Rim = 3;

struct Rgb {
    std::uint8_t r, g, b;
};

Rgb FromHsv(double h, double s, double v) {
    const double sector = std::fmod(h, 1.0) * 6.0;
    const int i = int(sector);
    const double f = sector - i;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (i) {
    case 1: r = q; g = v; b = p; break;
    case 2: r = p; g = v; b = t; break;
    case 3: r = p; g = q; b = v; break;
    case 4: r = t; g = p; b = v; break;
    case 5: r = v; g = p; b = q; break;
    default: break;
    }
    const auto byte = [](double x) { return std::uint8_t(std::lround(x * 255.0)); };
    return {byte(r), byte(g), byte(b)};
}

std::array<Rgb, 256> MakePalette() {
    std::array<Rgb, 256> palette{};
    palette[Background] = {28, 30, 36};
    palette[White] = {244, 244, 240};
    palette[Shadow] = {8, 8, 12};
    palette[Rim] = {96, 98, 108};
    for (int i = 4; i < FirstHue; ++i) {  // a grey ramp, unused by the drawings
        const auto g = std::uint8_t(16 * i);
        palette[i] = {g, g, g};
    }
    for (int h = 0; h < Hues; ++h)
        for (int l = 0; l < Levels; ++l)
            palette[FirstHue + h * Levels + l] = FromHsv(double(h) / Hues, double(l + 1) / Levels, 1.0);
    return palette;
}

// Ordered dithering threshold in 0..1, so that 24 hues and 10 levels blend.
double Bayer(int x, int y) {
    static constexpr int matrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (matrix[y % 4][x % 4] + 0.5) / 16.0;
}

std::uint8_t HueColour(double hue, double saturation, int x, int y) {
    const double threshold = Bayer(x, y);
    const double hs = hue * Hues;
    const int h = (int(hs) + (hs - std::floor(hs) > threshold ? 1 : 0)) % Hues;
    const double ls = std::clamp(saturation * Levels - 1.0, 0.0, double(Levels - 1));
    const int l = std::min(Levels - 1, int(ls) + (ls - std::floor(ls) > threshold ? 1 : 0));
    return std::uint8_t(FirstHue + h * Levels + l);
}

using Image = std::vector<std::uint8_t>;  // Width x Height, top row first

Image DrawWheel() {
    Image image(Width * Height, Background);
    const double cx = Width / 2.0, cy = Height / 2.0, radius = 39.0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double r = std::hypot(dx, dy);
            const double hue = std::atan2(-dy, dx) / (2 * std::numbers::pi) + 1.0;
            if (r <= radius) image[y * Width + x] = HueColour(std::fmod(hue, 1.0), r / radius, x, y);
            else if (r <= radius + 1.5) image[y * Width + x] = Rim;
        }
    }
    return image;
}

// A 5 x 7 pixel font holding the letters of the name.
const std::array<const char*, 7>& Glyph(char letter) {
    static const std::array<const char*, 7> T = {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."};
    static const std::array<const char*, 7> I = {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."};
    static const std::array<const char*, 7> N = {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"};
    static const std::array<const char*, 7> O = {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
    static const std::array<const char*, 7> R = {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
    static const std::array<const char*, 7> A = {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
    switch (letter) {
    case 'T': return T;
    case 'I': return I;
    case 'N': return N;
    case 'O': return O;
    case 'R': return R;
    default: return A;
    }
}

void DrawText(Image& image, const char* text, int left, int top, int scale, std::uint8_t colour) {
    for (int i = 0; text[i]; ++i) {
        const auto& glyph = Glyph(text[i]);
        for (int gy = 0; gy < 7; ++gy)
            for (int gx = 0; gx < 5; ++gx)
                if (glyph[gy][gx] == '#')
                    for (int sy = 0; sy < scale; ++sy)
                        for (int sx = 0; sx < scale; ++sx) {
                            const int x = left + i * 6 * scale + gx * scale + sx;
                            const int y = top + gy * scale + sy;
                            if (x >= 0 && x < Width && y >= 0 && y < Height) image[y * Width + x] = colour;
                        }
    }
}

Image DrawName() {
    Image image(Width * Height, Background);
    const char* name = "TINTORA";
    const int scale = 3, textWidth = 7 * 6 * scale - scale;
    const int left = (Width - textWidth) / 2, top = 14;
    DrawText(image, name, left + 1, top + 1, scale, Shadow);
    DrawText(image, name, left, top, scale, White);
    // The spectrum beneath the name, fading in from the left.
    for (int y = 50; y < 72; ++y)
        for (int x = 6; x < Width - 6; ++x) {
            const double u = double(x - 6) / (Width - 13);
            const double fade = std::min(1.0, double(y - 50) / 18.0 + 0.1);
            image[y * Width + x] = HueColour(u, fade, x, y);
        }
    return image;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

// An uncompressed 8-bit BMP: file header, info header, palette, rows bottom-up.
std::vector<std::uint8_t> EncodeBmp(const Image& image, const std::array<Rgb, 256>& palette) {
    constexpr unsigned rowBytes = (Width + 3) / 4 * 4;
    constexpr unsigned dataOffset = 14 + 40 + 256 * 4;
    constexpr unsigned fileSize = dataOffset + rowBytes * Height;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, Width);
    Put32(out, Height);
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // no compression
    Put32(out, rowBytes * Height);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 256);
    Put32(out, 0);
    for (const auto& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = Height - 1; y >= 0; --y) {
        out.insert(out.end(), image.begin() + y * Width, image.begin() + (y + 1) * Width);
        out.resize(out.size() + rowBytes - Width, 0);
    }
    return out;
}

bool Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tintora_about_images OUTPUT_DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const auto palette = MakePalette();
    if (!Write(dir / "about_wheel.bmp", EncodeBmp(DrawWheel(), palette)) ||
        !Write(dir / "about_name.bmp", EncodeBmp(DrawName(), palette))) {
        std::cerr << "tintora_about_images: cannot write into " << dir.string() << "\n";
        return 1;
    }
    return 0;
}
