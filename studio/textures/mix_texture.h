#pragma once

// Blends two colours or sub-textures by an amount or a mask texture.

#include <array>

#include "studio/textures/standard_class_ids.h"
#include "studio/textures/standard_texmap.h"

class MixTex final : public StandardTexmap {
public:
    enum Param { COLOR1, COLOR2, AMOUNT };
    /// Slot 0 replaces colour 1, slot 1 colour 2; slot 2's mono value replaces the amount.
    enum Slot { MAP1, MAP2, MASK, SLOT_COUNT };

    MixTex() { ResetAll(); }
    Class_ID ClassID() override { return MIX_TEX_CLASS_ID; }
    const char* ClassNameText() const override { return "Mix"; }

    int NumRefs() override { return 1 + SLOT_COUNT; }
    RefTargetHandle GetReference(int i) override;
    /// References 1..3 take textures only; any other target leaves the slot empty.
    void SetReference(int i, RefTargetHandle target) override;
    int SubAnimCount() override { return 1 + SLOT_COUNT; }
    Animatable* GetSubAnim(int i) override { return GetReference(i); }
    CStr SubAnimName(int i) override;
    int SubAnimToRef(int i) override { return i; }

    int SubTexmapCount() override { return SLOT_COUNT; }
    Texmap* GetSubTexmap(int slot) override;
    void SetSubTexmap(int slot, Texmap* texture) override;
    CStr GetSubTexmapSlotName(int slot) override;

    /// Updates the sub-textures too; their validity narrows the cache's.
    void Update(TimeValue t, Interval& valid) override;
    Interval Validity(TimeValue t) override;
    ReferenceTarget* Clone(RemapDir& remap) override;

    ColorRGBA EvaluateColor(ShadingContext& sc) override;
    Vector3 EvaluatePerturbation(ShadingContext& sc) override;

protected:
    std::span<const ParamBlockDescID> ParamDescs() const override;
    void WriteDefaults(IParamBlock& block) override;
    void ReadCache(TimeValue t, Interval& valid) override;
    StandardTexmap* NewInstance() const override { return new MixTex; }

private:
    float Amount(ShadingContext& sc) const;
    std::array<Texmap*, SLOT_COUNT> maps{};
    Color color1, color2;
    float amount = 0.0f;
};
