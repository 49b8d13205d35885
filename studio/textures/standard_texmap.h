#pragma once

// The common part of the studio's standard textures: a parameter block as
// reference 0, a per-time cache filled by Update and read by evaluation, and
// the base-data chunk in scene files.

#include <span>

#include "host/mtl_base.h"
#include "host/param_block.h"

/// Chunk ids of a standard texture's own data.
constexpr USHORT STD_BASE_DATA_CHUNK = 0x4000;  ///< MtlBase::Save of the texture

class StandardTexmap : public StdTexmap {
public:
    /// Drops the references one by one, so that a target held in two slots
    /// is released once.
    ~StandardTexmap() override;

    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override;
    /// Takes a parameter block only: any other target leaves reference 0 empty.
    void SetReference(int i, RefTargetHandle target) override;
    RefResult OnReferenceMessage(Interval changeInterval, RefTargetHandle sender, PartID& part,
                                 RefMessage message) override;

    int SubAnimCount() override { return 1; }
    Animatable* GetSubAnim(int i) override { return i == 0 ? paramBlock : nullptr; }
    CStr SubAnimName(int i) override { return i == 0 ? CStr("Parameters") : CStr(); }
    int SubAnimToRef(int i) override { return i == 0 ? 0 : -1; }

    void FillClassName(CStr& className) override { className = ClassNameText(); }
    SClass_ID SuperClassCode() override { return TEXMAP_CLASS_ID; }

    /// Reads every parameter at t unless the cache already holds t; narrows
    /// `valid` to the span over which the cache holds.
    void Update(TimeValue t, Interval& valid) override;
    /// The span around t over which no parameter changes.
    Interval Validity(TimeValue t) override;
    /// A fresh parameter block holding the defaults.
    void ResetAll() override;

    IOResult Save(ISave* stream) override;
    IOResult Load(ILoad* stream) override;
    /// A copy with the remap's clone of the parameter block.
    ReferenceTarget* Clone(RemapDir& remap) override;

    float EvaluateMono(ShadingContext& sc) override;

    IParamBlock* ParamBlock() const { return paramBlock; }
    virtual const char* ClassNameText() const = 0;

protected:
    /// The parameters of this class, passed to CreateParameterBlock.
    virtual std::span<const ParamBlockDescID> ParamDescs() const = 0;
    /// Writes the default values into a new block at time 0.
    virtual void WriteDefaults(IParamBlock& block) = 0;
    /// Reads the parameters at t into the cache; narrows `valid`.
    virtual void ReadCache(TimeValue t, Interval& valid) = 0;
    /// A new object of the same class, with default parameters.
    virtual StandardTexmap* NewInstance() const = 0;
    /// Copies settings kept outside the parameter block into a clone.
    virtual void CopySettingsTo(StandardTexmap&) const {}
    /// Saves and loads chunks of the class's own besides the base data.
    virtual IOResult SaveSettings(ISave*) { return IO_OK; }
    virtual IOResult LoadSettingsChunk(ILoad*) { return IO_OK; }

    // Typed reads of parameter i at t; each narrows `valid`. Without a
    // parameter block they answer zero.
    float FloatAt(int i, TimeValue t, Interval& valid) const;
    int IntAt(int i, TimeValue t, Interval& valid) const;
    Color ColorAt(int i, TimeValue t, Interval& valid) const;

private:
    IParamBlock* paramBlock = nullptr;
    Interval cacheInterval = EMPTY_INTERVAL;
};

/// Linear blend of two colours: a at 0, b at 1.
inline Color Mix(const Color& a, const Color& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline ColorRGBA Opaque(const Color& c) { return {c.r, c.g, c.b, 1.0f}; }
