#include "studio/textures/standard_texmap.h"

StandardTexmap::~StandardTexmap() { DeleteAllRefsFromMe(); }

RefTargetHandle StandardTexmap::GetReference(int i) {
    return i == 0 ? paramBlock : nullptr;
}

void StandardTexmap::SetReference(int i, RefTargetHandle target) {
    if (i != 0) return;
    paramBlock = dynamic_cast<IParamBlock*>(target);
    cacheInterval = EMPTY_INTERVAL;
}

RefResult StandardTexmap::OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage message) {
    if (message == 80) cacheInterval = EMPTY_INTERVAL;
    return REF_SUCCEED;
}

void StandardTexmap::Update(TimeValue t, Interval& valid) {
    if (!cacheInterval.InInterval(t)) {
        cacheInterval = WHOLE_INTERVAL;
        ReadCache(t, cacheInterval);
    }
    valid &= cacheInterval;
}

Interval StandardTexmap::Validity(TimeValue t) {
    Interval valid = WHOLE_INTERVAL;
    if (!paramBlock) return valid;
    for (int i = 0; i < paramBlock->NumParams(); ++i) {
        switch (paramBlock->GetParameterType(i)) {
        case TYPE_FLOAT: FloatAt(i, t, valid); break;
        case TYPE_RGBA: ColorAt(i, t, valid); break;
        default: IntAt(i, t, valid); break;
        }
    }
    return valid;
}

void StandardTexmap::ResetAll() {
    const std::span<const ParamBlockDescID> descs = ParamDescs();
    IParamBlock* block = CreateParameterBlock(descs.data(), int(descs.size()), 1);
    ReplaceReference(0, block);
    if (paramBlock) WriteDefaults(*paramBlock);
    cacheInterval = EMPTY_INTERVAL;
}

IOResult StandardTexmap::Save(ISave* stream) {
    stream->StartChunk(STD_BASE_DATA_CHUNK);
    const IOResult base = MtlBase::Save(stream);
    if (base != IO_OK) return base;
    stream->FinishChunk();
    return SaveSettings(stream);
}

IOResult StandardTexmap::Load(ILoad* stream) {
    for (;;) {
        const IOResult entered = stream->EnterChunk();
        if (entered == IO_END) return IO_OK;
        if (entered != IO_OK) return entered;
        const IOResult result =
            stream->ChunkId() == STD_BASE_DATA_CHUNK ? MtlBase::Load(stream) : LoadSettingsChunk(stream);
        const IOResult left = stream->LeaveChunk();
        if (result != IO_OK) return result;
        if (left != IO_OK) return left;
    }
}

ReferenceTarget* StandardTexmap::Clone(RemapDir& remap) {
    StandardTexmap* copy = NewInstance();
    copy->MtlBase::operator=(*this);
    copy->ReplaceReference(0, remap.CloneTarget(paramBlock));
    CopySettingsTo(*copy);
    return copy;
}

float StandardTexmap::EvaluateMono(ShadingContext& sc) {
    const ColorRGBA c = EvaluateColor(sc);
    return (c.r + c.g + c.b) / 3.0f;
}

float StandardTexmap::FloatAt(int i, TimeValue t, Interval& valid) const {
    float v = 0.0f;
    if (paramBlock) paramBlock->GetValue(i, t, v, valid);
    return v;
}

int StandardTexmap::IntAt(int i, TimeValue t, Interval& valid) const {
    int v = 0;
    if (paramBlock) paramBlock->GetValue(i, t, v, valid);
    return v;
}

Color StandardTexmap::ColorAt(int i, TimeValue t, Interval& valid) const {
    Color v;
    if (paramBlock) paramBlock->GetValue(i, t, v, valid);
    return v;
}
