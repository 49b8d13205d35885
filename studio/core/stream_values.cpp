#include "studio/core/stream_values.h"

#include <bit>

namespace studio {

void PutLE(std::uint8_t* at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        at[i] = std::uint8_t(value >> (8 * i));
}

std::uint32_t GetLE(const std::uint8_t* at, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value |= std::uint32_t(at[i]) << (8 * i);
    return value;
}

namespace {

IOResult WriteLE(ISave& out, std::uint32_t value, int size) {
    std::uint8_t bytes[4];
    PutLE(bytes, value, size);
    return out.Write(bytes, std::size_t(size));
}

IOResult ReadLE(ILoad& in, std::uint32_t& value, int size) {
    std::uint8_t bytes[4];
    const IOResult result = in.Read(bytes, std::size_t(size));
    if (result == IO_OK)
        value = GetLE(bytes, size);
    return result;
}

}  // namespace

IOResult WriteU16(ISave& out, std::uint16_t value) { return WriteLE(out, value, 2); }
IOResult WriteU32(ISave& out, std::uint32_t value) { return WriteLE(out, value, 4); }
IOResult WriteI32(ISave& out, std::int32_t value) {
    return WriteLE(out, std::uint32_t(value), 4);
}
IOResult WriteFloat(ISave& out, float value) {
    return WriteLE(out, std::bit_cast<std::uint32_t>(value), 4);
}

IOResult ReadU16(ILoad& in, std::uint16_t& value) {
    std::uint32_t wide = 0;
    const IOResult result = ReadLE(in, wide, 2);
    if (result == IO_OK)
        value = std::uint16_t(wide);
    return result;
}
IOResult ReadU32(ILoad& in, std::uint32_t& value) { return ReadLE(in, value, 4); }
IOResult ReadI32(ILoad& in, std::int32_t& value) {
    std::uint32_t raw = 0;
    const IOResult result = ReadLE(in, raw, 4);
    if (result == IO_OK)
        value = std::int32_t(raw);
    return result;
}
IOResult ReadFloat(ILoad& in, float& value) {
    std::uint32_t raw = 0;
    const IOResult result = ReadLE(in, raw, 4);
    if (result == IO_OK)
        value = std::bit_cast<float>(raw);
    return result;
}

}  // namespace studio
