#pragma once

// The studio's parameter block: typed parameters, keys for the animatable
// ones, undo records and change notices.

#include <functional>
#include <vector>

#include "host/param_block.h"
#include "studio/core/param_curve.h"

namespace studio {

/// Auto key: while on, SetValue on an animatable parameter writes (or
/// replaces) a key at the given time. While off, a parameter without keys
/// takes the value for every time, and one with keys moves all its keys by
/// the same difference. Off at start.
void SetAutoKey(bool on);
bool AutoKey();

/// Every change of a value or a key (SetValue, SetBaseValue, SetKey,
/// DeleteKey) is recorded for undo while theHold holds and tells the
/// dependents with message 80; undo and redo tell them the same way.
class ParamBlock : public IParamBlock {
public:
    ParamBlock(const ParamBlockDescID* desc, int count, DWORD version);

    int NumParams() override;
    int GetParameterType(int i) override;
    BOOL GetValue(int i, TimeValue t, float& v, Interval& valid) override;
    BOOL GetValue(int i, TimeValue t, int& v, Interval& valid) override;
    BOOL GetValue(int i, TimeValue t, Color& v, Interval& valid) override;
    BOOL SetValue(int i, TimeValue t, float v) override;
    BOOL SetValue(int i, TimeValue t, int v) override;
    BOOL SetValue(int i, TimeValue t, Color v) override;

    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override {
        return REF_SUCCEED;
    }
    /// A block with the same descriptors, values and keys.
    ReferenceTarget* Clone(RemapDir& remap) override;
    void FillClassName(CStr& name) override { name = "Parameter Block"; }

    DWORD Version() const { return version; }
    /// Descriptor of parameter i; i must be in 0..NumParams()-1.
    const ParamBlockDescID& Descriptor(int i) const { return descs[std::size_t(i)]; }
    bool IsAnimatable(int i) const;
    /// The value at t in the parameter's own representation.
    ParamValue Value(int i, TimeValue t) const;
    /// The value used while there are no keys.
    ParamValue BaseValue(int i) const;
    int NumKeys(int i) const;
    /// Key k of parameter i (keys are sorted by time); k in 0..NumKeys(i)-1.
    const ParamKey& Key(int i, int k) const;
    TimeValue KeyTime(int i, int k) const { return Key(i, k).time; }
    ParamValue KeyValue(int i, int k) const { return Key(i, k).value; }
    const ParamCurve& Curve(int i) const { return curves[std::size_t(i)]; }

    /// Each answers false (changing nothing) for a bad index, a value of the
    /// wrong kind, or a key on a parameter that is not animatable.
    bool SetBaseValue(int i, const ParamValue& value);
    bool SetKey(int i, TimeValue t, const ParamValue& value);
    bool DeleteKey(int i, int k);

protected:
    /// Stores a value written by SetValue at t, following the auto-key rule.
    bool StoreValue(int i, TimeValue t, const ParamValue& value);

private:
    friend class ParamChangeRecord;
    bool ValidIndex(int i) const { return i >= 0 && std::size_t(i) < curves.size(); }
    /// `value` converted to parameter i's type; nothing for a bad index or type.
    std::optional<ParamValue> Coerced(int i, const ParamValue& value) const;
    template <typename T>
    BOOL Read(int i, TimeValue t, T& v, Interval& valid);
    /// Replaces the curve of parameter i: records it, stores it, notifies.
    void Commit(int i, ParamCurve next);
    void Install(int i, const ParamCurve& curve);

    std::vector<ParamBlockDescID> descs;
    std::vector<ParamCurve> curves;
    DWORD version;
};

/// Replaces how CreateParameterBlock makes blocks (tests record writes with a
/// subclass of ParamBlock); an empty function restores the studio's own.
using ParamBlockFactory = std::function<IParamBlock*(const ParamBlockDescID*, int, DWORD)>;
void SetParameterBlockFactory(ParamBlockFactory factory);

}  // namespace studio
