#include "texture/tintora_map.h"

namespace {

// The texture's one chunk: the host's base data. Parameters and sub-textures
// are references, which the host stores itself.
constexpr USHORT BASE_DATA_CHUNK = 0x4000;

}  // namespace

IOResult TintoraMap::Save(ISave* stream) {
    stream->StartChunk(BASE_DATA_CHUNK);
    if (const IOResult result = MtlBase::Save(stream); result != IO_OK) return result;
    stream->FinishChunk();
    return IO_OK;
}

IOResult TintoraMap::Load(ILoad* stream) {
    while (stream->EnterChunk() == IO_OK) {
        const IOResult result =
            stream->ChunkId() == BASE_DATA_CHUNK ? MtlBase::Load(stream) : IO_OK;
        stream->LeaveChunk();
        if (result != IO_OK) return result;
    }
    return IO_OK;
}
