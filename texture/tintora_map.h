#pragma once

// TintoraMap: the colour-correction texture.

#include "host/mtl_base.h"
#include "host/param_block.h"
#include "texture/color_pipeline.h"
#include "texture/param_table.h"

class TintoraDlg;

/// A copy of the evaluation cache, for readers outside the texture.
struct TintoraCache {
    Color sourceColor;
    Interval cacheInterval;
    float hueOffset, hueGain, satOffset, satGain, valOffset, valGain;
    float contrast, brightness;
    float rOffset, rGain, gOffset, gGain, bOffset, bGain;
    int rSource, gSource, bSource;
    int invert, mono, colorize;
};

class TintoraMap : public StdTexmap {
public:
    /// A texture with a default parameter block, empty slots and an empty cache.
    TintoraMap();
    ~TintoraMap() override;

    // Identity and life.
    void FillClassName(CStr& name) override;
    Class_ID ClassID() override;
    SClass_ID SuperClassCode() override;
    void DeleteThis() override;

    // Sub-animatables: numbered like the references.
    int SubAnimCount() override;
    Animatable* GetSubAnim(int i) override;
    CStr SubAnimName(int i) override;
    int SubAnimToRef(int i) override;

    IOResult Save(ISave* stream) override;
    IOResult Load(ILoad* stream) override;

    // References: 0 is the parameter block, 1..12 the slots.
    int NumRefs() override;
    RefTargetHandle GetReference(int i) override;
    void SetReference(int i, RefTargetHandle target) override;
    RefResult OnReferenceMessage(Interval changeInterval, RefTargetHandle sender, PartID& part,
                                 RefMessage message) override;
    ReferenceTarget* Clone(RemapDir& remap) override;

    // Sub-texture slots.
    int SubTexmapCount() override;
    Texmap* GetSubTexmap(int slot) override;
    void SetSubTexmap(int slot, Texmap* texture) override;
    CStr GetSubTexmapSlotName(int slot) override;

    /// Brings the evaluation cache up to time t and narrows `valid` to it.
    void Update(TimeValue t, Interval& valid) override;
    /// Empties every slot and restores the defaults.
    void ResetAll() override;
    Interval Validity(TimeValue t) override;
    ParamEditor* CreateEditor(HWND editorWindow, IMtlEditorHost* params) override;

    ColorRGBA EvaluateColor(ShadingContext& sc) override;
    /// Many samples at once, each exactly as EvaluateColor gives it; shares
    /// the work between samples when no slot scales a value.
    void EvaluateColors(ShadingContext* const* samples, int count, ColorRGBA* colours) override;
    float EvaluateMono(ShadingContext& sc) override;
    Vector3 EvaluatePerturbation(ShadingContext& sc) override;

    void DiscardDisplay() override;

    /// Restores the defaults and empties slots 1..11, keeping the source.
    void ResetToDefaults();
    /// Tells the dependents that this texture changed.
    void NotifyChanged();

    IParamBlock* ParamBlock() const { return paramBlock; }
    TintoraCache Cache() const;

    TintoraDlg* editor = nullptr;

private:
    /// The eleven values that sub-textures may scale, as one sample uses them.
    struct Effective {
        float hueGain, satGain, satOffset, valGain, valOffset;
        float rOffset, gOffset, bOffset, rGain, gGain, bGain;
    };

    /// The slot's texture evaluated as a scale: its mono value, or 1 when empty.
    float SlotScale(int slot, ShadingContext& sc) const;
    bool AllSlotsEmpty() const;
    /// No slot but the source holds a texture: every value enters as cached.
    bool ScalingSlotsEmpty() const { return scalingSlotsEmpty; }
    /// Correct() with the cached values, through the update's tables.
    ColorRGBA CorrectFixed(const ColorRGBA& src) const;
    /// Writes the red, green and blue that CorrectFixed gives for a colour
    /// packing to `word` into `out`; false, writing nothing, when the host's
    /// conversion gives values outside the tables.
    bool CorrectFixedWord(DWORD word, ColorRGBA& out) const;
    /// CorrectFixed of every colour, in place.
    void CorrectFixedColours(ColorRGBA* colours, int count) const;
    void UpdateFixedCorrection();
    Effective CachedEffective() const;
    /// The colour correction of one source colour with the given values.
    ColorRGBA Correct(const ColorRGBA& src, const Effective& e) const;
    void UpdateConstantColor();

    IParamBlock* paramBlock = nullptr;
    Texmap* subTexmaps[TINTORA_NUM_SLOTS] = {};
    /// Whether slots 1..11 are all empty; kept by SetReference, the only
    /// writer of the slots, so that evaluation need not look at each.
    bool scalingSlotsEmpty = true;

    // The evaluation cache: parameter values at a time, in working units
    // (hue angles in turns, percentages as fractions). Start values are the
    // defaults, so nothing ever reads an unset field.
    Color sourceColor = TINTORA_DEFAULT_SOURCE_COLOR;
    Interval cacheInterval = EMPTY_INTERVAL;
    float hueOffset = 0.0f;
    float hueGain = 0.0f;
    float satOffset = 0.0f;
    float satGain = 1.0f;
    float valOffset = 0.0f;
    float valGain = 1.0f;
    float contrast = 1.0f;
    float brightness = 0.0f;
    float rOffset = 0.0f;
    float rGain = 1.0f;
    float gOffset = 0.0f;
    float gGain = 1.0f;
    float bOffset = 0.0f;
    float bGain = 1.0f;
    int rSource = 0;
    int gSource = 1;
    int bSource = 2;
    int invert = 0;
    int mono = 0;
    int colorize = 0;

    // The result of every sample while no slot holds a texture, worked out
    // by the update that read the values above.
    ColorRGBA constantColor;
    bool constantColorValid = false;

    // The steps after the conversion to hue, saturation and value, tabulated
    // by the update from the values above for samples that no slot scales.
    tintora::FixedCorrection fixedCorrection;
    bool fixedCorrectionValid = false;
};
