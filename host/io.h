#pragma once

// Chunked save and load streams. A chunk is a 16-bit id with a length; chunks
// nest. Loading checks every length and never reads past a chunk's end.

#include <cstddef>

#include "host/types.h"

/// Result of a save or load operation: 0 is success, anything else an error.
using IOResult = int;
constexpr IOResult IO_OK = 0;
constexpr IOResult IO_END = 1;    ///< no further chunk or data
constexpr IOResult IO_ERROR = 2;  ///< write failure, or a damaged or truncated stream

class ISave {
public:
    virtual ~ISave() = default;
    virtual void StartChunk(USHORT id) = 0;
    virtual void FinishChunk() = 0;
    virtual IOResult Write(const void* data, std::size_t size) = 0;
    /// Writes a length-prefixed text.
    virtual IOResult WriteString(const char* text) = 0;
};

class ILoad {
public:
    virtual ~ILoad() = default;
    /// Opens the next chunk at the current level: IO_OK when one opened,
    /// IO_END when none is left, IO_ERROR when the stream is damaged.
    virtual IOResult EnterChunk() = 0;
    /// The id of the chunk opened last.
    virtual USHORT ChunkId() = 0;
    /// Closes the chunk opened last, skipping whatever of it was not read.
    virtual IOResult LeaveChunk() = 0;
    /// Reads exactly `size` bytes from the open chunk, or fails with IO_ERROR.
    virtual IOResult Read(void* data, std::size_t size) = 0;
    virtual IOResult ReadString(CStr& text) = 0;
};
