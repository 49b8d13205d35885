#pragma once

// Plain value types shared by the host and its modules.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "host/api.h"

using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using USHORT = std::uint16_t;
using BOOL = int;
using UINT = unsigned int;

/// Host time: a signed 32-bit tick count.
using TimeValue = std::int32_t;
constexpr TimeValue TIME_NegInfinity = INT32_MIN;
constexpr TimeValue TIME_PosInfinity = INT32_MAX;

/// A closed span of host time. EMPTY_INTERVAL (both ends at the most negative
/// time) contains no time at all, not even the most negative one.
class Interval {
public:
    constexpr Interval() = default;
    constexpr Interval(TimeValue s, TimeValue e) : start(s), end(e) {}

    constexpr TimeValue Start() const { return start; }
    constexpr TimeValue End() const { return end; }
    constexpr void Set(TimeValue s, TimeValue e) { start = s; end = e; }

    constexpr bool Empty() const {
        return start > end || (start == TIME_NegInfinity && end == TIME_NegInfinity);
    }
    constexpr int InInterval(TimeValue t) const {
        return !Empty() && start <= t && t <= end;
    }
    /// Intersection; an empty result is always EMPTY_INTERVAL.
    constexpr Interval operator&(Interval other) const {
        const Interval r(start > other.start ? start : other.start,
                         end < other.end ? end : other.end);
        if (Empty() || other.Empty() || r.Empty())
            return Interval(TIME_NegInfinity, TIME_NegInfinity);
        return r;
    }
    constexpr Interval& operator&=(Interval other) { return *this = *this & other; }
    constexpr bool operator==(const Interval&) const = default;

private:
    TimeValue start = TIME_NegInfinity;
    TimeValue end = TIME_NegInfinity;
};

constexpr Interval WHOLE_INTERVAL(TIME_NegInfinity, TIME_PosInfinity);
constexpr Interval EMPTY_INTERVAL(TIME_NegInfinity, TIME_NegInfinity);

/// A class's identity: two 32-bit words.
class Class_ID {
public:
    constexpr Class_ID() = default;
    constexpr Class_ID(ULONG first, ULONG second) : a(first), b(second) {}
    constexpr ULONG PartA() const { return a; }
    constexpr ULONG PartB() const { return b; }
    constexpr bool operator==(const Class_ID&) const = default;

private:
    ULONG a = 0;
    ULONG b = 0;
};

/// Super-class code: the family a class belongs to.
using SClass_ID = ULONG;
/// The super-class code of every texture.
constexpr SClass_ID TEXMAP_CLASS_ID = 3088;

/// An RGB colour of three floats.
struct Color {
    float r = 0.0f, g = 0.0f, b = 0.0f;

    constexpr Color() = default;
    constexpr Color(float red, float green, float blue) : r(red), g(green), b(blue) {}
    /// From a colour word: red in bits 0-7, green 8-15, blue 16-23; each byte / 255.
    constexpr explicit Color(DWORD word)
        : r(float(word & 0xff) / 255.0f),
          g(float((word >> 8) & 0xff) / 255.0f),
          b(float((word >> 16) & 0xff) / 255.0f) {}

    /// Limits each channel into 0..1 (NaN becomes 0).
    constexpr void ClampMinMax() {
        r = Clamp01(r);
        g = Clamp01(g);
        b = Clamp01(b);
    }
    constexpr bool operator==(const Color&) const = default;

private:
    static constexpr float Clamp01(float x) { return x > 1.0f ? 1.0f : (x >= 0.0f ? x : 0.0f); }
};

/// An RGB colour with alpha: the result of evaluating a texture.
struct ColorRGBA {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
    constexpr bool operator==(const ColorRGBA&) const = default;
};

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    constexpr bool operator==(const Vector3&) const = default;
};

struct Point2 {
    float x = 0.0f, y = 0.0f;
    constexpr bool operator==(const Point2&) const = default;
};

/// An owned text.
class CStr {
public:
    CStr() = default;
    CStr(const char* t) : text(t ? t : "") {}
    CStr(std::string t) : text(std::move(t)) {}

    CStr& operator=(const char* t) { text = t ? t : ""; return *this; }
    const char* data() const { return text.c_str(); }
    std::size_t Length() const { return text.size(); }
    const std::string& str() const { return text; }
    bool operator==(const CStr&) const = default;
    bool operator==(const char* other) const { return text == (other ? other : ""); }

private:
    std::string text;
};
