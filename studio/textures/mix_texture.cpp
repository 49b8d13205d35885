#include "studio/textures/mix_texture.h"

namespace {

constexpr ParamBlockDescID mixDesc[] = {
    {TYPE_RGBA, nullptr, 1, 0}, {TYPE_RGBA, nullptr, 1, 1}, {TYPE_FLOAT, nullptr, 1, 2}};

constexpr const char* slotNames[MixTex::SLOT_COUNT] = {"Map 1", "Map 2", "Mask"};

ColorRGBA Blend(const ColorRGBA& a, const ColorRGBA& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

}  // namespace

RefTargetHandle MixTex::GetReference(int i) {
    if (i >= 1 && i <= SLOT_COUNT) return maps[std::size_t(i - 1)];
    return StandardTexmap::GetReference(i);
}

void MixTex::SetReference(int i, RefTargetHandle target) {
    if (i >= 1 && i <= SLOT_COUNT)
        maps[std::size_t(i - 1)] = dynamic_cast<Texmap*>(target);
    else
        StandardTexmap::SetReference(i, target);
}

CStr MixTex::SubAnimName(int i) {
    return i == 0 ? StandardTexmap::SubAnimName(0) : GetSubTexmapSlotName(i - 1);
}

Texmap* MixTex::GetSubTexmap(int slot) {
    return slot >= 0 && slot < SLOT_COUNT ? maps[std::size_t(slot)] : nullptr;
}

void MixTex::SetSubTexmap(int slot, Texmap* texture) {
    if (slot >= 0 && slot < SLOT_COUNT) ReplaceReference(slot + 1, texture);
}

CStr MixTex::GetSubTexmapSlotName(int slot) {
    return slot >= 0 && slot < SLOT_COUNT ? CStr(slotNames[slot]) : CStr();
}

std::span<const ParamBlockDescID> MixTex::ParamDescs() const { return mixDesc; }

void MixTex::WriteDefaults(IParamBlock& block) {
    block.SetValue(COLOR1, 0, Color(0.0f, 0.0f, 0.0f));
    block.SetValue(COLOR2, 0, Color(1.0f, 1.0f, 1.0f));
    block.SetValue(AMOUNT, 0, 0.5f);
}

void MixTex::ReadCache(TimeValue t, Interval& valid) {
    color1 = ColorAt(COLOR1, t, valid);
    color2 = ColorAt(COLOR2, t, valid);
    amount = FloatAt(AMOUNT, t, valid);
}

void MixTex::Update(TimeValue t, Interval& valid) {
    for (Texmap* map : maps)
        if (map) map->Update(t, valid);
    StandardTexmap::Update(t, valid);
}

Interval MixTex::Validity(TimeValue t) {
    Interval valid = StandardTexmap::Validity(t);
    for (Texmap* map : maps)
        if (map) valid &= map->Validity(t);
    return valid;
}

ReferenceTarget* MixTex::Clone(RemapDir& remap) {
    auto* copy = static_cast<MixTex*>(StandardTexmap::Clone(remap));
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        if (maps[std::size_t(slot)]) copy->ReplaceReference(slot + 1, remap.CloneTarget(maps[std::size_t(slot)]));
    return copy;
}

float MixTex::Amount(ShadingContext& sc) const {
    return maps[MASK] ? maps[MASK]->EvaluateMono(sc) : amount;
}

ColorRGBA MixTex::EvaluateColor(ShadingContext& sc) {
    sc.SetShadeTag(ShadeTag());
    const ColorRGBA a = maps[MAP1] ? maps[MAP1]->EvaluateColor(sc) : Opaque(color1);
    const ColorRGBA b = maps[MAP2] ? maps[MAP2]->EvaluateColor(sc) : Opaque(color2);
    return Blend(a, b, Amount(sc));
}

Vector3 MixTex::EvaluatePerturbation(ShadingContext& sc) {
    const Vector3 a = maps[MAP1] ? maps[MAP1]->EvaluatePerturbation(sc) : Vector3{};
    const Vector3 b = maps[MAP2] ? maps[MAP2]->EvaluatePerturbation(sc) : Vector3{};
    const float t = Amount(sc);
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}
