#pragma once

// Parsing of the values people type: numbers, colours, flags, channels,
// NAME=VALUE settings, frames, sizes. Every parser answers a UsageError that
// names the offending text and what it is for.

#include <string>
#include <string_view>
#include <utility>

#include "host/types.h"
#include "studio/core/param_curve.h"

namespace tintora_cli {

/// A finite decimal number, the whole text.
float ParseFloat(std::string_view text, std::string_view what);
/// A whole number, the whole text.
int ParseInt(std::string_view text, std::string_view what);
/// R,G,B: three numbers separated by commas.
Color ParseColor(std::string_view text, std::string_view what);
/// on/off, 1/0 (true/false and yes/no are taken too).
bool ParseFlag(std::string_view text, std::string_view what);
/// red/green/blue or a channel code number.
int ParseChannel(std::string_view text, std::string_view what);
/// U,V texture coordinates.
Point2 ParseUV(std::string_view text);
/// WxH with both positive.
std::pair<int, int> ParseSize(std::string_view text);

/// NAME=VALUE split at the first '='; both parts must be there.
std::pair<std::string, std::string> SplitAssignment(std::string_view text, std::string_view what);

/// One parameter's new value, in the parameter's stored representation.
struct Setting {
    int param = 0;
    studio::ParamValue value;
};
/// NAME=VALUE for a parameter, the value parsed by the parameter's type.
Setting ParseSetting(std::string_view text);
/// How a setting's value is written back: "45", "on", "blue", "1,0.5,0".
std::string FormatSettingValue(int param, const studio::ParamValue& value);

/// The host time of a frame (fractions allowed, to the nearest tick).
TimeValue FrameTime(double frame);
/// A frame number given on the command line, as its host time.
TimeValue ParseFrameTime(std::string_view text);
/// A frame range A-B with A <= B (either may be negative: -5--1).
std::pair<int, int> ParseFrameRange(std::string_view text);

}  // namespace tintora_cli
