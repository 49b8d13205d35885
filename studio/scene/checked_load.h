#pragma once

// A load stream that remembers what went wrong, where: the first damage it
// meets becomes a message naming the chunk and its byte offset.

#include <string>
#include <vector>

#include "studio/core/streams.h"

class CheckedLoad final : public studio::MemoryLoad {
public:
    explicit CheckedLoad(studio::Bytes data);

    IOResult EnterChunk() override;
    IOResult LeaveChunk() override;
    IOResult Read(void* data, std::size_t size) override;
    IOResult ReadString(CStr& text) override;

    /// The first damage met, e.g. "chunk 0x4000 at byte 812 runs past the
    /// end of the file"; empty while none was met.
    const std::string& Damage() const { return damage; }
    bool Damaged() const { return !damage.empty(); }
    /// Records `text` as the damage unless one was recorded already.
    void NoteDamage(const std::string& text);

    /// The open chunk's id and header offset ("chunk 0x0100 at byte 12").
    std::string DescribeOpenChunk() const;
    /// Closes chunks until `depth` are open: undoes what an object's Load
    /// left open.
    void UnwindTo(std::size_t depth);
    /// Byte offset of the open chunk's header.
    std::size_t OpenChunkOffset() const { return open.empty() ? 0 : open.back().offset; }

private:
    struct OpenChunk {
        USHORT id;
        std::size_t offset;
    };
    std::string LevelName() const;

    studio::Bytes copy;  // the bytes again, to describe a damaged header
    std::vector<OpenChunk> open;
    std::string damage;
};

/// "0x4000": a chunk id as people read it.
std::string ChunkIdText(USHORT id);
