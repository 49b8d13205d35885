// The chunked stream reader over untrusted bytes: the first bytes of the
// input are a script of reads, the rest is the stream. Whatever the data,
// the reader never reads outside it, stays consistent about its depth and
// position, and answers only IO_OK, IO_END or IO_ERROR.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "studio/core/streams.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "chunk reader: %s\n", what);
    std::abort();
}

void CheckResult(IOResult result) {
    Check(result == IO_OK || result == IO_END || result == IO_ERROR, "unknown result code");
}

// One step of the script: enter, leave, read a few bytes, read a text.
void Step(studio::MemoryLoad& in, std::uint8_t op) {
    const std::size_t depth = in.Depth();
    const std::size_t remaining = in.Remaining();
    switch (op % 4) {
    case 0: {
        const IOResult result = in.EnterChunk();
        CheckResult(result);
        Check(in.Depth() == depth + (result == IO_OK ? 1 : 0), "depth after EnterChunk");
        if (result == IO_OK) Check(in.Remaining() + studio::kChunkHeaderSize <= remaining, "chunk larger than its parent");
        break;
    }
    case 1: {
        const IOResult result = in.LeaveChunk();
        CheckResult(result);
        if (result == IO_OK) Check(in.Depth() + 1 == depth, "depth after LeaveChunk");
        break;
    }
    case 2: {
        std::uint8_t buffer[64];
        const std::size_t size = std::size_t(op >> 2) % sizeof buffer;
        const IOResult result = in.Read(buffer, size);
        CheckResult(result);
        if (result == IO_OK) Check(in.Remaining() + size == remaining, "Read moved by the wrong amount");
        else Check(in.Remaining() <= remaining, "a failed Read grew the chunk");
        break;
    }
    default: {
        CStr text;
        const IOResult result = in.ReadString(text);
        CheckResult(result);
        if (result == IO_OK) Check(text.Length() + 4 <= remaining, "a text longer than its chunk");
        break;
    }
    }
    (void)in.ChunkId();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Byte 0: script length; then the script; then the stream.
    const std::size_t scriptLength = size == 0 ? 0 : std::min<std::size_t>(data[0], size - 1);
    const std::uint8_t* script = data + (size == 0 ? 0 : 1);
    const std::uint8_t* stream = script + scriptLength;
    studio::MemoryLoad in(studio::Bytes(stream, data + size));
    for (std::size_t i = 0; i < scriptLength; ++i) Step(in, script[i]);
    // Then walk whatever is left, as a loader that reads everything does.
    for (int guard = 0; guard < 100000; ++guard) {
        const IOResult entered = in.EnterChunk();
        CheckResult(entered);
        if (entered == IO_OK) continue;
        if (in.Depth() == 0 || in.LeaveChunk() != IO_OK) break;
    }
    return 0;
}
