#include "studio/ui/bmp_info.h"

#include <cstdint>

namespace studio {
namespace {

std::uint32_t U32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t U16(const unsigned char* p) { return std::uint16_t(p[0] | p[1] << 8); }

}  // namespace

std::optional<BmpInfo> ReadBmpInfo(const unsigned char* bytes, std::size_t size) {
    constexpr std::size_t FileHeader = 14;
    if (!bytes || size < FileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const unsigned char* info = bytes + FileHeader;
    const std::uint32_t infoSize = U32(info);
    const auto width = std::int32_t(U32(info + 4));
    const auto height = std::int32_t(U32(info + 8));
    if (infoSize < 40 || width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
    BmpInfo result{};
    result.width = width;
    result.height = height < 0 ? -height : height;
    result.bottomUp = height > 0;
    result.bitsPerPixel = U16(info + 14);
    result.compression = int(U32(info + 16));
    const std::uint32_t used = U32(info + 32);
    result.paletteEntries = result.bitsPerPixel <= 8 ? int(used ? used : 1u << result.bitsPerPixel) : int(used);
    result.pixelOffset = U32(bytes + 10);
    const std::uint64_t rowBytes = (std::uint64_t(result.width) * std::uint64_t(result.bitsPerPixel) + 31) / 32 * 4;
    const std::uint64_t paletteEnd = FileHeader + infoSize + std::uint64_t(result.paletteEntries) * 4;
    if (result.compression == 0 &&
        (paletteEnd > result.pixelOffset || result.pixelOffset + rowBytes * std::uint64_t(result.height) > size))
        return std::nullopt;
    return result;
}

}  // namespace studio
