// The host's base part of materials and textures.

#include "host/mtl_base.h"

#include "studio/core/stream_values.h"

namespace {

// Sub-chunks of the base data, inside the chunk the caller opened.
constexpr USHORT kNameChunk = 0x1000;
constexpr USHORT kShadeTagChunk = 0x1001;

}  // namespace

MtlBase::MtlBase() = default;

MtlBase& MtlBase::operator=(const MtlBase& other) {
    name = other.name;
    shadeTag = other.shadeTag;
    return *this;
}

CStr MtlBase::GetFullName() {
    CStr className;
    FillClassName(className);
    if (name.Length() == 0)
        return className;
    if (className.Length() == 0)
        return name;
    return CStr(name.str() + " (" + className.str() + ")");
}

CStr MtlBase::GetSubTexmapTVName(int i) { return GetSubTexmapSlotName(i); }

// A failed write ends the save at once, leaving the sub-chunk open: the
// stream is unusable from then on, and every caller stops at the first error.
IOResult MtlBase::Save(ISave* stream) {
    stream->StartChunk(kNameChunk);
    IOResult result = stream->WriteString(name.data());
    if (result != IO_OK)
        return result;
    stream->FinishChunk();
    stream->StartChunk(kShadeTagChunk);
    result = studio::WriteI32(*stream, shadeTag);
    if (result != IO_OK)
        return result;
    stream->FinishChunk();
    return IO_OK;
}

IOResult MtlBase::Load(ILoad* stream) {
    for (;;) {
        IOResult result = stream->EnterChunk();
        if (result == IO_END)
            return IO_OK;
        if (result != IO_OK)
            return result;
        switch (stream->ChunkId()) {
        case kNameChunk:
            result = stream->ReadString(name);
            break;
        case kShadeTagChunk: {
            std::int32_t tag = 0;
            result = studio::ReadI32(*stream, tag);
            if (result == IO_OK)
                shadeTag = tag;
            break;
        }
        default:
            break;  // unknown: skipped by LeaveChunk
        }
        const IOResult left = stream->LeaveChunk();
        if (result != IO_OK)
            return result;
        if (left != IO_OK)
            return left;
    }
}

float Texmap::EvaluateMono(ShadingContext& sc) {
    const ColorRGBA c = EvaluateColor(sc);
    return (c.r + c.g + c.b) / 3.0f;
}
