#include "studio/core/param_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace studio {
namespace {

int SaturateToInt(double x) {
    if (!(x == x))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return int(std::clamp(x, lo, hi));
}

double AsDouble(const ParamValue& v) {
    if (const float* f = std::get_if<float>(&v))
        return *f;
    if (const int* i = std::get_if<int>(&v))
        return *i;
    return 0.0;
}

float Lerp(float a, float b, double u) { return float(a + (double(b) - a) * u); }

ParamValue Interpolate(int type, const ParamValue& a, const ParamValue& b, double u) {
    switch (type) {
    case TYPE_FLOAT:
        return Lerp(std::get<float>(a), std::get<float>(b), u);
    case TYPE_RGBA: {
        const Color& ca = std::get<Color>(a);
        const Color& cb = std::get<Color>(b);
        return Color(Lerp(ca.r, cb.r, u), Lerp(ca.g, cb.g, u), Lerp(ca.b, cb.b, u));
    }
    case TYPE_INT: {
        const double ia = std::get<int>(a);
        return SaturateToInt(std::round(ia + (std::get<int>(b) - ia) * u));
    }
    default:
        return a;  // booleans step
    }
}

ParamValue Add(int type, const ParamValue& v, const ParamValue& delta) {
    switch (type) {
    case TYPE_FLOAT:
        return std::get<float>(v) + std::get<float>(delta);
    case TYPE_RGBA: {
        const Color& c = std::get<Color>(v);
        const Color& d = std::get<Color>(delta);
        return Color(c.r + d.r, c.g + d.g, c.b + d.b);
    }
    case TYPE_INT:
        return SaturateToInt(double(std::get<int>(v)) + std::get<int>(delta));
    default:
        return delta;  // booleans: every key takes the new value
    }
}

ParamValue Difference(int type, const ParamValue& to, const ParamValue& from) {
    switch (type) {
    case TYPE_FLOAT:
        return std::get<float>(to) - std::get<float>(from);
    case TYPE_RGBA: {
        const Color& a = std::get<Color>(to);
        const Color& b = std::get<Color>(from);
        return Color(a.r - b.r, a.g - b.g, a.b - b.b);
    }
    case TYPE_INT:
        return SaturateToInt(double(std::get<int>(to)) - std::get<int>(from));
    default:
        return to;
    }
}

}  // namespace

std::optional<ParamValue> CoerceValue(int type, const ParamValue& value) {
    const bool isColor = std::holds_alternative<Color>(value);
    switch (type) {
    case TYPE_FLOAT:
        if (isColor)
            return std::nullopt;
        return ParamValue(float(AsDouble(value)));
    case TYPE_INT:
    case TYPE_BOOL:
        if (isColor)
            return std::nullopt;
        return ParamValue(SaturateToInt(std::trunc(AsDouble(value))));
    case TYPE_RGBA:
        if (!isColor)
            return std::nullopt;
        return value;
    default:
        return std::nullopt;
    }
}

ParamValue ParamCurve::At(TimeValue t) const {
    Interval ignored = WHOLE_INTERVAL;
    return At(t, ignored);
}

// The span narrowed to is [left, right]: left is where the value last
// changed at or before t (as far as the neighbouring keys tell), right where
// it next changes.
ParamValue ParamCurve::At(TimeValue t, Interval& valid) const {
    if (keys.empty())
        return base;
    const auto next = std::upper_bound(keys.begin(), keys.end(), t,
                                       [](TimeValue time, const ParamKey& k) { return time < k.time; });
    if (next == keys.begin()) {
        valid &= Interval(TIME_NegInfinity, next->time);
        return next->value;
    }
    const ParamKey& a = *(next - 1);
    if (next == keys.end()) {
        valid &= Interval(a.time, TIME_PosInfinity);
        return a.value;
    }
    const ParamKey& b = *next;
    const bool flat = a.value == b.value;
    const bool steps = type == TYPE_BOOL;
    TimeValue left = t;
    TimeValue right = t;
    if (flat || steps) {
        left = a.time;
        right = flat ? b.time : b.time - 1;
    }
    valid &= Interval(left, right);
    const double u = double(std::int64_t(t) - a.time) / double(std::int64_t(b.time) - a.time);
    return Interpolate(type, a.value, b.value, u);
}

void ParamCurve::SetKey(TimeValue t, const ParamValue& value) {
    auto at = std::lower_bound(keys.begin(), keys.end(), t,
                               [](const ParamKey& k, TimeValue time) { return k.time < time; });
    if (at != keys.end() && at->time == t)
        at->value = value;
    else
        keys.insert(at, ParamKey{t, value});
}

void ParamCurve::ShiftKeys(TimeValue t, const ParamValue& value) {
    const ParamValue delta = Difference(type, value, At(t));
    for (ParamKey& key : keys)
        key.value = Add(type, key.value, delta);
}

void ParamCurve::DeleteKey(std::size_t k) {
    if (k >= keys.size())
        return;
    if (keys.size() == 1)
        base = keys.front().value;
    keys.erase(keys.begin() + std::ptrdiff_t(k));
}

}  // namespace studio
