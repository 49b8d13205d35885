#pragma once

// One parameter's value over time: a base value, or keys interpolated
// between and held constant outside.

#include <optional>
#include <variant>
#include <vector>

#include "host/param_block.h"

namespace studio {

/// A parameter value: float for TYPE_FLOAT, int for TYPE_INT and TYPE_BOOL,
/// Color for TYPE_RGBA.
using ParamValue = std::variant<float, int, Color>;

struct ParamKey {
    TimeValue time;
    ParamValue value;
    bool operator==(const ParamKey&) const = default;
};

/// `value` in the representation of parameter type `type`: floats and ints
/// convert into each other (float to int truncates toward zero, saturating);
/// colours only to colours. Empty for a mismatch or an unknown type.
std::optional<ParamValue> CoerceValue(int type, const ParamValue& value);

/// The curve of one parameter. Floats, ints and colours are interpolated
/// linearly between keys (ints rounded to nearest, colours per channel);
/// booleans step, holding each key's value until the next key.
struct ParamCurve {
    int type = TYPE_FLOAT;
    ParamValue base = 0.0f;        ///< the value while there are no keys
    std::vector<ParamKey> keys;    ///< sorted by time, one per time

    /// The value at t. `valid` is narrowed to a span around t over which the
    /// value holds; without keys it is left as it was.
    ParamValue At(TimeValue t, Interval& valid) const;
    ParamValue At(TimeValue t) const;
    /// Writes a key at t, replacing one that is there.
    void SetKey(TimeValue t, const ParamValue& value);
    /// Moves every key by the difference between `value` and the value at t
    /// (booleans: every key takes `value`).
    void ShiftKeys(TimeValue t, const ParamValue& value);
    /// Removes key k; removing the last one leaves its value as the base, so
    /// the parameter keeps the value it showed.
    void DeleteKey(std::size_t k);

    bool operator==(const ParamCurve&) const = default;
};

}  // namespace studio
