#pragma once

// Chunked streams over memory and files.
//
// Encoding, the same on every platform: a chunk is a 2-byte id and a 4-byte
// payload length, both little-endian, followed by the payload. A payload
// holds data, nested chunks, or both in sequence. A text is a 4-byte
// little-endian length and that many bytes (no terminator).

#include <cstdint>
#include <string>
#include <vector>

#include "host/io.h"

namespace studio {

using Bytes = std::vector<std::uint8_t>;

/// The longest text a stream writes or reads.
constexpr std::uint32_t kMaxStringLength = 1u << 20;
constexpr std::size_t kChunkHeaderSize = 6;

/// Writes into a byte buffer.
class MemorySave : public ISave {
public:
    void StartChunk(USHORT id) override;
    /// Closes the chunk opened last; without an open chunk, or when its
    /// payload is too long for the length field, the stream is marked failed.
    void FinishChunk() override;
    IOResult Write(const void* data, std::size_t size) override;
    /// Refuses (IO_ERROR) a text longer than kMaxStringLength; null is "".
    IOResult WriteString(const char* text) override;

    const Bytes& Data() const { return bytes; }
    /// Chunks still open.
    std::size_t OpenChunks() const { return open.size(); }
    /// False after a misuse: FinishChunk without a chunk, an oversized chunk
    /// or text.
    bool Good() const { return !failed; }

private:
    Bytes bytes;
    std::vector<std::size_t> open;  // header offsets of the open chunks
    bool failed = false;
};

/// Writes a file: the bytes gather in memory and Commit writes them to a
/// temporary file beside the target and renames it over the target, so a
/// failed save leaves the file that was there untouched.
class FileSave : public MemorySave {
public:
    explicit FileSave(std::string path);
    /// IO_OK when the file was written; IO_ERROR (see Error) when a chunk is
    /// still open, the stream failed, or the file could not be written.
    IOResult Commit();
    const std::string& Error() const { return error; }

private:
    std::string path;
    std::string error;
};

/// Reads a byte buffer. Every chunk length is checked against the enclosing
/// chunk before anything of it is read; a damaged stream answers IO_ERROR and
/// nothing is ever read past the end of the data or of the open chunk.
class MemoryLoad : public ILoad {
public:
    MemoryLoad() = default;
    explicit MemoryLoad(Bytes data);

    IOResult EnterChunk() override;
    /// The id of the innermost open chunk; 0 when none is open.
    USHORT ChunkId() override;
    IOResult LeaveChunk() override;
    IOResult Read(void* data, std::size_t size) override;
    IOResult ReadString(CStr& text) override;

    /// Bytes left at the current level (in the open chunk, or in the data).
    std::size_t Remaining() const;
    /// Offset of the next byte to read, for messages.
    std::size_t Position() const { return pos; }
    std::size_t Depth() const { return frames.size(); }

protected:
    void Reset(Bytes data);

private:
    struct Frame {
        USHORT id;
        std::size_t end;
    };
    std::size_t LevelEnd() const { return frames.empty() ? bytes.size() : frames.back().end; }

    Bytes bytes;
    std::size_t pos = 0;
    std::vector<Frame> frames;
};

/// Reads a whole file into memory and loads from there.
class FileLoad : public MemoryLoad {
public:
    explicit FileLoad(const std::string& path);
    bool IsOpen() const { return error.empty(); }
    /// Why the file could not be read, naming it; empty when it was.
    const std::string& Error() const { return error; }

private:
    std::string error;
};

}  // namespace studio
