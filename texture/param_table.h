#pragma once

// The texture's parameters and sub-texture slots.

#include "host/param_block.h"

enum TintoraParam {
    PB_BRIGHTNESS,
    PB_CONTRAST,
    PB_HUE_OFFSET,
    PB_HUE_GAIN,
    PB_SAT_OFFSET,
    PB_SAT_GAIN,
    PB_VAL_OFFSET,
    PB_VAL_GAIN,
    PB_R_OFFSET,
    PB_R_GAIN,
    PB_G_OFFSET,
    PB_G_GAIN,
    PB_B_OFFSET,
    PB_B_GAIN,
    PB_R_SOURCE,
    PB_G_SOURCE,
    PB_B_SOURCE,
    PB_INVERT,
    PB_MONO,
    PB_COLORIZE,
    PB_SOURCE_COLOR,
};
inline constexpr int TINTORA_NUM_PARAMS = 21;
inline constexpr DWORD TINTORA_PARAM_VERSION = 1;

/// Sub-texture slots; slot i is reference i + 1 of the texture.
enum TintoraSlot {
    MAP_SOURCE,
    MAP_SAT_OFFSET,
    MAP_VAL_OFFSET,
    MAP_HUE_GAIN,
    MAP_SAT_GAIN,
    MAP_VAL_GAIN,
    MAP_R_OFFSET,
    MAP_G_OFFSET,
    MAP_B_OFFSET,
    MAP_R_GAIN,
    MAP_G_GAIN,
    MAP_B_GAIN,
};
inline constexpr int TINTORA_NUM_SLOTS = 12;
inline constexpr int TINTORA_NUM_REFS = TINTORA_NUM_SLOTS + 1;

/// The block's descriptors, passed to CreateParameterBlock with
/// TINTORA_NUM_PARAMS and TINTORA_PARAM_VERSION.
extern const ParamBlockDescID TintoraParamDesc[TINTORA_NUM_PARAMS];

/// What the texture knows about each parameter, by index.
struct TintoraParamInfo {
    const char* key;          ///< lower-case name without prefix: "hue_offset"
    const char* displayName;  ///< answered to name queries; null: none
    const char* unit;         ///< stored unit: "percent", "degrees", "channel", "flag", "color"
    float defaultValue;       ///< unused for the source colour
    int slot;                 ///< the slot that scales it, or -1
};
extern const TintoraParamInfo TintoraParams[TINTORA_NUM_PARAMS];

inline constexpr Color TINTORA_DEFAULT_SOURCE_COLOR(1.0f, 0.0f, 0.0f);

/// The order in which a reset writes the defaults after the source colour:
/// the fourteen floats, then the flags and channel sources.
extern const int TintoraDefaultWriteOrder[TINTORA_NUM_PARAMS - 1];

/// The text of slot i ("Tora Source", ...), or "" outside 0..11.
const char* TintoraSlotName(int slot);
