#include "studio/scene/param_block_io.h"

#include <memory>

#include "studio/core/param_block.h"
#include "studio/core/stream_values.h"

namespace {

// Chunks inside a parameter block's data.
constexpr USHORT PB_LAYOUT_CHUNK = 0x0010;  ///< version, count, then type, animatable, id of each
constexpr USHORT PB_CURVE_CHUNK = 0x0020;   ///< index, base value, key count, then time and value of each
constexpr std::uint32_t PB_MAX_PARAMS = 4096;

bool KnownType(int type) {
    return type == TYPE_FLOAT || type == TYPE_INT || type == TYPE_RGBA || type == TYPE_BOOL;
}

IOResult WriteValue(ISave& out, int type, const studio::ParamValue& value) {
    const std::optional<studio::ParamValue> v = studio::CoerceValue(type, value);
    if (!v) return IO_ERROR;
    if (const float* f = std::get_if<float>(&*v)) return studio::WriteFloat(out, *f);
    if (const int* i = std::get_if<int>(&*v)) return studio::WriteI32(out, *i);
    const Color& c = std::get<Color>(*v);
    IOResult result = studio::WriteFloat(out, c.r);
    if (result == IO_OK) result = studio::WriteFloat(out, c.g);
    if (result == IO_OK) result = studio::WriteFloat(out, c.b);
    return result;
}

IOResult ReadValue(ILoad& in, int type, studio::ParamValue& value) {
    if (type == TYPE_FLOAT) {
        float f = 0.0f;
        const IOResult result = studio::ReadFloat(in, f);
        value = f;
        return result;
    }
    if (type == TYPE_RGBA) {
        Color c;
        IOResult result = studio::ReadFloat(in, c.r);
        if (result == IO_OK) result = studio::ReadFloat(in, c.g);
        if (result == IO_OK) result = studio::ReadFloat(in, c.b);
        value = c;
        return result;
    }
    std::int32_t i = 0;
    const IOResult result = studio::ReadI32(in, i);
    value = int(i);
    return result;
}

IOResult SaveCurve(studio::ParamBlock& block, int i, ISave& out) {
    const int type = block.Descriptor(i).type;
    out.StartChunk(PB_CURVE_CHUNK);
    IOResult result = studio::WriteI32(out, i);
    if (result == IO_OK) result = WriteValue(out, type, block.BaseValue(i));
    if (result == IO_OK) result = studio::WriteU32(out, std::uint32_t(block.NumKeys(i)));
    for (int k = 0; k < block.NumKeys(i) && result == IO_OK; ++k) {
        result = studio::WriteI32(out, block.KeyTime(i, k));
        if (result == IO_OK) result = WriteValue(out, type, block.KeyValue(i, k));
    }
    out.FinishChunk();
    return result;
}

struct BlockReader {
    CheckedLoad& in;
    std::string& error;
    std::vector<ParamBlockDescID> descs;
    DWORD version = 0;
    std::unique_ptr<studio::ParamBlock> block;

    bool Fail(const std::string& what) {
        error = in.DescribeOpenChunk() + ": " + what;
        return false;
    }

    bool ReadLayout() {
        std::uint32_t count = 0;
        if (studio::ReadU32(in, version) != IO_OK || studio::ReadU32(in, count) != IO_OK) return false;
        if (count > PB_MAX_PARAMS || std::size_t(count) * 12 > in.Remaining())
            return Fail("the block claims " + std::to_string(count) + " parameters, more than the chunk holds");
        descs.resize(count);
        for (ParamBlockDescID& d : descs) {
            std::int32_t type = 0, animatable = 0;
            if (studio::ReadI32(in, type) != IO_OK || studio::ReadI32(in, animatable) != IO_OK ||
                studio::ReadU32(in, d.id) != IO_OK)
                return false;
            if (!KnownType(type)) return Fail("a parameter has the unknown type " + std::to_string(type));
            d.type = type;
            d.user = nullptr;
            d.animatable = animatable != 0;
        }
        block = std::make_unique<studio::ParamBlock>(descs.data(), int(descs.size()), version);
        return true;
    }

    bool ReadCurve() {
        if (!block) return Fail("parameter values come before the block's layout");
        std::int32_t i = 0;
        if (studio::ReadI32(in, i) != IO_OK) return false;
        if (i < 0 || i >= block->NumParams()) return Fail("values of parameter " + std::to_string(i) + ", which the block lacks");
        const int type = descs[std::size_t(i)].type;
        studio::ParamValue value;
        std::uint32_t keys = 0;
        if (ReadValue(in, type, value) != IO_OK || studio::ReadU32(in, keys) != IO_OK) return false;
        block->SetBaseValue(i, value);
        if (keys > in.Remaining() / 8) return Fail("parameter " + std::to_string(i) + " claims more keys than the chunk holds");
        if (keys != 0 && !block->IsAnimatable(i)) return Fail("parameter " + std::to_string(i) + " is not animatable but has keys");
        for (std::uint32_t k = 0; k < keys; ++k) {
            std::int32_t time = 0;
            if (studio::ReadI32(in, time) != IO_OK || ReadValue(in, type, value) != IO_OK) return false;
            block->SetKey(i, time, value);
        }
        return true;
    }
};

}  // namespace

bool IsStudioParamBlock(ReferenceTarget* target) {
    return dynamic_cast<studio::ParamBlock*>(target) != nullptr;
}

IOResult SaveParamBlock(ReferenceTarget& target, ISave& out) {
    auto& block = dynamic_cast<studio::ParamBlock&>(target);
    out.StartChunk(PB_LAYOUT_CHUNK);
    IOResult result = studio::WriteU32(out, block.Version());
    if (result == IO_OK) result = studio::WriteU32(out, std::uint32_t(block.NumParams()));
    for (int i = 0; i < block.NumParams() && result == IO_OK; ++i) {
        const ParamBlockDescID& d = block.Descriptor(i);
        result = studio::WriteI32(out, d.type);
        if (result == IO_OK) result = studio::WriteI32(out, block.IsAnimatable(i) ? 1 : 0);
        if (result == IO_OK) result = studio::WriteU32(out, d.id);
    }
    out.FinishChunk();
    for (int i = 0; i < block.NumParams() && result == IO_OK; ++i) result = SaveCurve(block, i, out);
    return result;
}

IParamBlock* LoadParamBlock(CheckedLoad& in, std::string& error) {
    BlockReader reader{in, error, {}, 0, nullptr};
    for (;;) {
        const IOResult entered = in.EnterChunk();
        if (entered == IO_END) break;
        if (entered != IO_OK) return nullptr;
        bool ok = true;
        if (in.ChunkId() == PB_LAYOUT_CHUNK) ok = !reader.block && reader.ReadLayout();
        if (in.ChunkId() == PB_CURVE_CHUNK) ok = reader.ReadCurve();
        if (!ok) {
            if (error.empty() && !in.Damaged()) error = in.DescribeOpenChunk() + ": damaged parameter data";
            return nullptr;
        }
        in.LeaveChunk();
    }
    if (!reader.block) {
        error = "the parameter block has no layout";
        return nullptr;
    }
    return reader.block.release();
}
