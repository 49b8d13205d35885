#include "texture/tintora_map.h"

#include <new>

#include "editor/tintora_dlg.h"
#include "texture/tintora_class.h"

namespace {

bool IsRef(int i) { return i >= 0 && i < TINTORA_NUM_REFS; }
bool IsSlot(int slot) { return slot >= 0 && slot < TINTORA_NUM_SLOTS; }

}  // namespace

TintoraMap::TintoraMap() { ResetAll(); }

// References are released through the host's reference system and the
// editor link is cleared by the editor, so there is nothing to do here.
TintoraMap::~TintoraMap() = default;

void TintoraMap::FillClassName(CStr& className) { className = TINTORA_CLASS_NAME; }
Class_ID TintoraMap::ClassID() { return TINTORA_CLASS_ID; }
SClass_ID TintoraMap::SuperClassCode() { return TEXMAP_CLASS_ID; }
void TintoraMap::DeleteThis() { delete this; }

int TintoraMap::SubAnimCount() { return TINTORA_NUM_REFS; }
Animatable* TintoraMap::GetSubAnim(int i) { return GetReference(i); }
int TintoraMap::SubAnimToRef(int i) { return i; }

CStr TintoraMap::SubAnimName(int i) {
    if (i == 0) return CStr("Off be");
    if (IsRef(i)) return GetSubTexmapTVName(i - 1);
    return CStr();
}

int TintoraMap::NumRefs() { return TINTORA_NUM_REFS; }

RefTargetHandle TintoraMap::GetReference(int i) {
    if (i == 0) return paramBlock;
    return IsRef(i) ? subTexmaps[i - 1] : nullptr;
}

void TintoraMap::SetReference(int i, RefTargetHandle target) {
    if (i == 0)
        paramBlock = static_cast<IParamBlock*>(target);
    else if (IsRef(i)) {
        subTexmaps[i - 1] = static_cast<Texmap*>(target);
        scalingSlotsEmpty = true;
        for (int slot = MAP_SOURCE + 1; slot < TINTORA_NUM_SLOTS; ++slot)
            scalingSlotsEmpty = scalingSlotsEmpty && !subTexmaps[slot];
    }
}

RefResult TintoraMap::OnReferenceMessage(Interval, RefTargetHandle, PartID& part,
                                         RefMessage message) {
    switch (message) {
    case 80:  // a reference changed: the cache no longer holds
        cacheInterval = EMPTY_INTERVAL;
        if (editor) editor->TextureChanged();
        return REF_SUCCEED;
    case 251: {  // name of a parameter
        auto* query = reinterpret_cast<ParamNameQuery*>(part);
        const auto index = static_cast<unsigned>(query->index);
        if (index < TINTORA_NUM_PARAMS && TintoraParams[index].displayName)
            query->name = TintoraParams[index].displayName;
        return REF_STOP;
    }
    case 252: {  // dimension of a parameter
        auto* query = reinterpret_cast<ParamDimQuery*>(part);
        const auto index = static_cast<unsigned>(query->index);
        if (index == PB_SOURCE_COLOR)
            query->dim = stdColor255Dim;
        else if (index < TINTORA_NUM_PARAMS && TintoraParams[index].displayName)
            query->dim = defaultDim;
        return REF_STOP;
    }
    default:
        return REF_SUCCEED;
    }
}

ReferenceTarget* TintoraMap::Clone(RemapDir& remap) {
    auto* copy = new TintoraMap();
    static_cast<MtlBase&>(*copy) = *this;
    copy->ReplaceReference(0, remap.CloneTarget(paramBlock), 1);
    copy->cacheInterval = EMPTY_INTERVAL;
    for (int slot = 0; slot < TINTORA_NUM_SLOTS; ++slot) {
        if (subTexmaps[slot])
            copy->ReplaceReference(slot + 1, remap.CloneTarget(subTexmaps[slot]), 1);
    }
    return copy;
}

int TintoraMap::SubTexmapCount() { return TINTORA_NUM_SLOTS; }

Texmap* TintoraMap::GetSubTexmap(int slot) { return IsSlot(slot) ? subTexmaps[slot] : nullptr; }

void TintoraMap::SetSubTexmap(int slot, Texmap* texture) {
    if (!IsSlot(slot)) return;
    ReplaceReference(slot + 1, texture, 1);
    if (editor) editor->UpdateButtonLabels();
}

CStr TintoraMap::GetSubTexmapSlotName(int slot) { return CStr(TintoraSlotName(slot)); }

void TintoraMap::ResetAll() {
    DeleteReference(1 + MAP_SOURCE);
    ResetToDefaults();
}

void TintoraMap::ResetToDefaults() {
    ReplaceReference(0, CreateParameterBlock(TintoraParamDesc, TINTORA_NUM_PARAMS,
                                             TINTORA_PARAM_VERSION),
                     1);
    cacheInterval = EMPTY_INTERVAL;
    for (int ref = 1 + MAP_SAT_OFFSET; ref < TINTORA_NUM_REFS; ++ref)
        DeleteReference(ref);

    paramBlock->SetValue(PB_SOURCE_COLOR, 0, TINTORA_DEFAULT_SOURCE_COLOR);
    for (int index : TintoraDefaultWriteOrder) {
        const float value = TintoraParams[index].defaultValue;
        if (TintoraParamDesc[index].type == TYPE_FLOAT)
            paramBlock->SetValue(index, 0, value);
        else
            paramBlock->SetValue(index, 0, static_cast<int>(value));
    }
}

void TintoraMap::NotifyChanged() {
    NotifyDependents(WHOLE_INTERVAL, 0x9ff, 80, 0xfffffff0, 1, nullptr);
}

void TintoraMap::DiscardDisplay() {}

TintoraCache TintoraMap::Cache() const {
    return {sourceColor, cacheInterval, hueOffset, hueGain, satOffset, satGain,
            valOffset,   valGain,       contrast,  brightness, rOffset, rGain,
            gOffset,     gGain,         bOffset,   bGain,     rSource, gSource,
            bSource,     invert,        mono,      colorize};
}
