#include "studio/scene/checked_load.h"

#include <cstdio>

#include "studio/core/stream_values.h"

std::string ChunkIdText(USHORT id) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", unsigned(id));
    return text;
}

CheckedLoad::CheckedLoad(studio::Bytes data) : studio::MemoryLoad(data), copy(std::move(data)) {}

void CheckedLoad::NoteDamage(const std::string& text) {
    if (damage.empty()) damage = text;
}

std::string CheckedLoad::LevelName() const {
    return open.empty() ? "the file" : "its enclosing " + DescribeOpenChunk();
}

std::string CheckedLoad::DescribeOpenChunk() const {
    if (open.empty()) return "the file";
    return "chunk " + ChunkIdText(open.back().id) + " at byte " + std::to_string(open.back().offset);
}

IOResult CheckedLoad::EnterChunk() {
    const std::size_t at = Position();
    const IOResult result = MemoryLoad::EnterChunk();
    if (result == IO_OK) {
        open.push_back({ChunkId(), at});
    } else if (result == IO_ERROR) {
        if (Remaining() < studio::kChunkHeaderSize)
            NoteDamage("a chunk header at byte " + std::to_string(at) + " runs past the end of " + LevelName());
        else
            NoteDamage("chunk " + ChunkIdText(USHORT(studio::GetLE(&copy[at], 2))) + " at byte " +
                       std::to_string(at) + " runs past the end of " + LevelName());
    }
    return result;
}

IOResult CheckedLoad::LeaveChunk() {
    const IOResult result = MemoryLoad::LeaveChunk();
    if (result == IO_OK && !open.empty()) open.pop_back();
    return result;
}

IOResult CheckedLoad::Read(void* data, std::size_t size) {
    const IOResult result = MemoryLoad::Read(data, size);
    if (result != IO_OK)
        NoteDamage(DescribeOpenChunk() + ": " + std::to_string(size) + " bytes to read at byte " +
                   std::to_string(Position()) + " run past its end");
    return result;
}

IOResult CheckedLoad::ReadString(CStr& text) {
    const std::size_t at = Position();
    const IOResult result = MemoryLoad::ReadString(text);
    if (result != IO_OK)
        NoteDamage(DescribeOpenChunk() + ": the text at byte " + std::to_string(at) +
                   " runs past its end or is too long");
    return result;
}

void CheckedLoad::UnwindTo(std::size_t depth) {
    while (Depth() > depth && LeaveChunk() == IO_OK) {}
}
