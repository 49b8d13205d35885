#include "apps/tintora/values.h"

#include <charconv>
#include <cmath>
#include <regex>
#include <vector>

#include "apps/tintora/errors.h"
#include "apps/tintora/names.h"
#include "apps/tintora/number_format.h"
#include "studio/render/renderer.h"
#include "texture/param_table.h"

namespace tintora_cli {

namespace {

constexpr const char* kChannelNames[] = {"red", "green", "blue"};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

[[noreturn]] void Malformed(std::string_view text, std::string_view what, std::string_view expected) {
    throw UsageError("malformed " + std::string(what) + " " + Quoted(text) + ": expected " +
                     std::string(expected));
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool IsOneOf(std::string_view text, std::initializer_list<std::string_view> words) {
    for (const std::string_view word : words)
        if (text == word) return true;
    return false;
}

}  // namespace

float ParseFloat(std::string_view text, std::string_view what) {
    float value = 0.0f;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        Malformed(text, what, "a number");
    return value;
}

int ParseInt(std::string_view text, std::string_view what) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) Malformed(text, what, "a whole number");
    return value;
}

Color ParseColor(std::string_view text, std::string_view what) {
    const std::vector<std::string_view> parts = Split(text, ',');
    if (parts.size() != 3) Malformed(text, what, "a colour R,G,B");
    return {ParseFloat(parts[0], what), ParseFloat(parts[1], what), ParseFloat(parts[2], what)};
}

bool ParseFlag(std::string_view text, std::string_view what) {
    if (IsOneOf(text, {"on", "1", "true", "yes"})) return true;
    if (IsOneOf(text, {"off", "0", "false", "no"})) return false;
    Malformed(text, what, "on, off, 1 or 0");
}

int ParseChannel(std::string_view text, std::string_view what) {
    for (int code = 0; code < 3; ++code)
        if (text == kChannelNames[code]) return code;
    int code = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, code);
    if (text.empty() || error != std::errc() || stop != end)
        Malformed(text, what, "red, green, blue or a channel number");
    return code;
}

Point2 ParseUV(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, ',');
    if (parts.size() != 2) Malformed(text, "texture coordinates", "U,V");
    return {ParseFloat(parts[0], "texture coordinate"), ParseFloat(parts[1], "texture coordinate")};
}

std::pair<int, int> ParseSize(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, 'x');
    if (parts.size() != 2) Malformed(text, "image size", "WIDTHxHEIGHT, such as 512x512");
    const int width = ParseInt(parts[0], "image width"), height = ParseInt(parts[1], "image height");
    if (width <= 0 || height <= 0) Malformed(text, "image size", "a positive width and height");
    return {width, height};
}

std::pair<std::string, std::string> SplitAssignment(std::string_view text, std::string_view what) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == text.size())
        Malformed(text, what, "NAME=VALUE");
    return {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

Setting ParseSetting(std::string_view text) {
    const auto [name, valueText] = SplitAssignment(text, "setting");
    const int param = FindParam(name);
    const std::string what = "value for " + name;
    switch (TintoraParamDesc[param].type) {
    case TYPE_FLOAT:
        return {param, ParseFloat(valueText, what)};
    case TYPE_RGBA:
        return {param, ParseColor(valueText, what)};
    case TYPE_BOOL:
        return {param, ParseFlag(valueText, what) ? 1 : 0};
    default:
        return {param, ParseChannel(valueText, what)};
    }
}

std::string FormatSettingValue(int param, const studio::ParamValue& value) {
    if (const auto* number = std::get_if<float>(&value)) return FormatNumber(*number);
    if (const auto* color = std::get_if<Color>(&value)) return FormatColor(*color);
    const int code = std::get<int>(value);
    if (TintoraParamDesc[param].type == TYPE_BOOL) return code ? "on" : "off";
    if (code >= 0 && code < 3) return kChannelNames[code];
    return std::to_string(code);
}

TimeValue FrameTime(double frame) {
    const double ticks = std::round(frame * TICKS_PER_FRAME);
    if (!(ticks >= double(TIME_NegInfinity) + 1 && ticks <= double(TIME_PosInfinity) - 1))
        throw UsageError("frame " + FormatNumber(float(frame)) + " lies beyond the host's time range");
    return TimeValue(ticks);
}

TimeValue ParseFrameTime(std::string_view text) { return FrameTime(ParseFloat(text, "frame")); }

std::pair<int, int> ParseFrameRange(std::string_view text) {
    static const std::regex range(R"((-?\d+)-(-?\d+))");
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_match(text.begin(), text.end(), match, range))
        Malformed(text, "frame range", "FIRST-LAST, such as 0-23");
    const int first = ParseInt(std::string_view(match[1].first, match[1].second), "first frame");
    const int last = ParseInt(std::string_view(match[2].first, match[2].second), "last frame");
    if (last < first) Malformed(text, "frame range", "a first frame no later than the last");
    FrameTime(first);
    FrameTime(last);
    return {first, last};
}

}  // namespace tintora_cli
