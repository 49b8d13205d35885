#pragma once

// Fixed-size values on chunked streams, little-endian on every platform.

#include <cstdint>

#include "host/io.h"

namespace studio {

IOResult WriteU16(ISave& out, std::uint16_t value);
IOResult WriteU32(ISave& out, std::uint32_t value);
IOResult WriteI32(ISave& out, std::int32_t value);
IOResult WriteFloat(ISave& out, float value);

IOResult ReadU16(ILoad& in, std::uint16_t& value);
IOResult ReadU32(ILoad& in, std::uint32_t& value);
IOResult ReadI32(ILoad& in, std::int32_t& value);
IOResult ReadFloat(ILoad& in, float& value);

/// Little-endian encoding into and out of raw bytes.
void PutLE(std::uint8_t* at, std::uint32_t value, int size);
std::uint32_t GetLE(const std::uint8_t* at, int size);

}  // namespace studio
