#include "studio/core/streams.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "studio/core/stream_values.h"

namespace studio {

// ---- writing ----

void MemorySave::StartChunk(USHORT id) {
    open.push_back(bytes.size());
    bytes.resize(bytes.size() + kChunkHeaderSize);
    PutLE(&bytes[open.back()], id, 2);
}

void MemorySave::FinishChunk() {
    if (open.empty()) {
        failed = true;
        return;
    }
    const std::size_t header = open.back();
    open.pop_back();
    const std::size_t length = bytes.size() - header - kChunkHeaderSize;
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        failed = true;
        return;
    }
    PutLE(&bytes[header + 2], std::uint32_t(length), 4);
}

IOResult MemorySave::Write(const void* data, std::size_t size) {
    if (size == 0)
        return IO_OK;
    if (!data)
        return IO_ERROR;
    const auto* from = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), from, from + size);
    return IO_OK;
}

IOResult MemorySave::WriteString(const char* text) {
    const std::size_t length = text ? std::strlen(text) : 0;
    if (length > kMaxStringLength) {
        failed = true;
        return IO_ERROR;
    }
    std::uint8_t prefix[4];
    PutLE(prefix, std::uint32_t(length), 4);
    Write(prefix, sizeof prefix);
    return Write(text, length);
}

FileSave::FileSave(std::string target) : path(std::move(target)) {}

IOResult FileSave::Commit() {
    if (!Good() || OpenChunks() != 0) {
        error = path + ": not saved, the stream is incomplete (" +
                std::to_string(OpenChunks()) + " chunk(s) left open)";
        return IO_ERROR;
    }
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(Data().data()), std::streamsize(Data().size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            error = temporary + ": could not be written";
            return IO_ERROR;
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, path, failure);
    if (failure) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        error = path + ": could not be replaced (" + failure.message() + ")";
        return IO_ERROR;
    }
    error.clear();
    return IO_OK;
}

// ---- reading ----

MemoryLoad::MemoryLoad(Bytes data) : bytes(std::move(data)) {}

void MemoryLoad::Reset(Bytes data) {
    bytes = std::move(data);
    pos = 0;
    frames.clear();
}

std::size_t MemoryLoad::Remaining() const { return LevelEnd() - pos; }

IOResult MemoryLoad::EnterChunk() {
    if (Remaining() == 0)
        return IO_END;
    if (Remaining() < kChunkHeaderSize)
        return IO_ERROR;
    const USHORT id = USHORT(GetLE(&bytes[pos], 2));
    const std::size_t length = GetLE(&bytes[pos + 2], 4);
    if (length > Remaining() - kChunkHeaderSize)
        return IO_ERROR;
    pos += kChunkHeaderSize;
    frames.push_back({id, pos + length});
    return IO_OK;
}

USHORT MemoryLoad::ChunkId() { return frames.empty() ? USHORT(0) : frames.back().id; }

IOResult MemoryLoad::LeaveChunk() {
    if (frames.empty())
        return IO_ERROR;
    pos = frames.back().end;
    frames.pop_back();
    return IO_OK;
}

IOResult MemoryLoad::Read(void* data, std::size_t size) {
    if (size > Remaining() || (size != 0 && !data))
        return IO_ERROR;
    if (size != 0)
        std::memcpy(data, &bytes[pos], size);
    pos += size;
    return IO_OK;
}

IOResult MemoryLoad::ReadString(CStr& text) {
    if (Remaining() < 4)
        return IO_ERROR;
    const std::uint32_t length = GetLE(&bytes[pos], 4);
    if (length > kMaxStringLength || length > Remaining() - 4)
        return IO_ERROR;
    const auto* first = reinterpret_cast<const char*>(&bytes[pos + 4]);
    text = CStr(std::string(first, length));
    pos += 4 + length;
    return IO_OK;
}

FileLoad::FileLoad(const std::string& path) {
    // A folder opens as a stream on some systems and fails only on reading.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        error = path + ": is a folder, not a file";
        return;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot be opened for reading";
        return;
    }
    try {
        Bytes data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (file.bad()) {
            error = path + ": read failed";
            return;
        }
        Reset(std::move(data));
    } catch (const std::ios_base::failure& failure) {  // read errors arrive as exceptions
        error = path + ": read failed (" + failure.what() + ")";
    }
}

}  // namespace studio
