#include "studio/core/param_block.h"

#include <type_traits>

#include "studio/core/ref_bookkeeping.h"
#include "studio/core/undo_stack.h"

namespace studio {
namespace {

bool autoKey = false;

ParamBlockFactory& Factory() {
    static ParamBlockFactory factory;
    return factory;
}

ParamValue ZeroOf(int type) {
    switch (type) {
    case TYPE_RGBA:
        return Color();
    case TYPE_INT:
    case TYPE_BOOL:
        return 0;
    default:
        return 0.0f;
    }
}

}  // namespace

void SetAutoKey(bool on) { autoKey = on; }
bool AutoKey() { return autoKey; }

void SetParameterBlockFactory(ParamBlockFactory factory) { Factory() = std::move(factory); }

/// Undo record of one parameter's curve before and after a change.
class ParamChangeRecord final : public TrackedRestore {
public:
    ParamChangeRecord(ParamBlock& owner, int param, ParamCurve old, ParamCurve now)
        : TrackedRestore({&owner}), block(&owner), index(param), before(std::move(old)),
          after(std::move(now)) {}

private:
    void DoRestore() override { Put(before); }
    void DoRedo() override { Put(after); }
    void Forget(const Animatable*) override { block = nullptr; }
    void Put(const ParamCurve& curve) {
        block->Install(index, curve);
        block->NotifyDependents(WHOLE_INTERVAL, kPartAll, kRefMsgChange);
    }

    ParamBlock* block;
    int index;
    ParamCurve before;
    ParamCurve after;
};

ParamBlock::ParamBlock(const ParamBlockDescID* desc, int count, DWORD blockVersion)
    : version(blockVersion) {
    for (int i = 0; desc && i < count; ++i) {
        descs.push_back(desc[i]);
        ParamCurve curve;
        curve.type = desc[i].type;
        curve.base = ZeroOf(desc[i].type);
        curves.push_back(std::move(curve));
    }
}

int ParamBlock::NumParams() { return int(curves.size()); }

int ParamBlock::GetParameterType(int i) { return ValidIndex(i) ? descs[std::size_t(i)].type : -1; }

bool ParamBlock::IsAnimatable(int i) const {
    return ValidIndex(i) && descs[std::size_t(i)].animatable != 0;
}

ParamValue ParamBlock::Value(int i, TimeValue t) const { return curves.at(std::size_t(i)).At(t); }
ParamValue ParamBlock::BaseValue(int i) const { return curves.at(std::size_t(i)).base; }
int ParamBlock::NumKeys(int i) const {
    return ValidIndex(i) ? int(curves[std::size_t(i)].keys.size()) : 0;
}
const ParamKey& ParamBlock::Key(int i, int k) const {
    return curves.at(std::size_t(i)).keys.at(std::size_t(k));
}

template <typename T>
BOOL ParamBlock::Read(int i, TimeValue t, T& v, Interval& valid) {
    if (!ValidIndex(i))
        return 0;
    const ParamCurve& curve = curves[std::size_t(i)];
    Interval span = valid;
    const ParamValue value = curve.At(t, span);
    int wanted = TYPE_FLOAT;
    if constexpr (std::is_same_v<T, int>)
        wanted = TYPE_INT;
    if constexpr (std::is_same_v<T, Color>)
        wanted = TYPE_RGBA;
    const std::optional<ParamValue> converted = CoerceValue(wanted, value);
    if (!converted)
        return 0;
    v = std::get<T>(*converted);
    valid = span;
    return 1;
}

BOOL ParamBlock::GetValue(int i, TimeValue t, float& v, Interval& valid) {
    return Read(i, t, v, valid);
}
BOOL ParamBlock::GetValue(int i, TimeValue t, int& v, Interval& valid) {
    return Read(i, t, v, valid);
}
BOOL ParamBlock::GetValue(int i, TimeValue t, Color& v, Interval& valid) {
    return Read(i, t, v, valid);
}

BOOL ParamBlock::SetValue(int i, TimeValue t, float v) { return StoreValue(i, t, v); }
BOOL ParamBlock::SetValue(int i, TimeValue t, int v) { return StoreValue(i, t, v); }
BOOL ParamBlock::SetValue(int i, TimeValue t, Color v) { return StoreValue(i, t, v); }

std::optional<ParamValue> ParamBlock::Coerced(int i, const ParamValue& value) const {
    if (!ValidIndex(i))
        return std::nullopt;
    return CoerceValue(descs[std::size_t(i)].type, value);
}

bool ParamBlock::StoreValue(int i, TimeValue t, const ParamValue& value) {
    const std::optional<ParamValue> v = Coerced(i, value);
    if (!v)
        return false;
    ParamCurve next = curves[std::size_t(i)];
    if (IsAnimatable(i) && AutoKey())
        next.SetKey(t, *v);
    else if (next.keys.empty())
        next.base = *v;
    else
        next.ShiftKeys(t, *v);
    Commit(i, std::move(next));
    return true;
}

bool ParamBlock::SetBaseValue(int i, const ParamValue& value) {
    const std::optional<ParamValue> v = Coerced(i, value);
    if (!v)
        return false;
    ParamCurve next = curves[std::size_t(i)];
    next.base = *v;
    Commit(i, std::move(next));
    return true;
}

bool ParamBlock::SetKey(int i, TimeValue t, const ParamValue& value) {
    if (!IsAnimatable(i))
        return false;
    const std::optional<ParamValue> v = Coerced(i, value);
    if (!v)
        return false;
    ParamCurve next = curves[std::size_t(i)];
    next.SetKey(t, *v);
    Commit(i, std::move(next));
    return true;
}

bool ParamBlock::DeleteKey(int i, int k) {
    if (!ValidIndex(i) || k < 0 || k >= NumKeys(i))
        return false;
    ParamCurve next = curves[std::size_t(i)];
    next.DeleteKey(std::size_t(k));
    Commit(i, std::move(next));
    return true;
}

void ParamBlock::Install(int i, const ParamCurve& curve) { curves[std::size_t(i)] = curve; }

void ParamBlock::Commit(int i, ParamCurve next) {
    UndoStack& undo = TheUndoStack();
    if (undo.Holding())
        undo.Put(new ParamChangeRecord(*this, i, curves[std::size_t(i)], next));
    curves[std::size_t(i)] = std::move(next);
    NotifyDependents(WHOLE_INTERVAL, kPartAll, kRefMsgChange);
}

ReferenceTarget* ParamBlock::Clone(RemapDir&) {
    auto* copy = new ParamBlock(descs.data(), int(descs.size()), version);
    copy->curves = curves;
    return copy;
}

}  // namespace studio

IParamBlock* CreateParameterBlock(const ParamBlockDescID* desc, int count, DWORD version) {
    const studio::ParamBlockFactory& factory = studio::Factory();
    if (factory)
        return factory(desc, count, version);
    return new studio::ParamBlock(desc, count, version);
}
