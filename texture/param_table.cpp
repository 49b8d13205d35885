#include "texture/param_table.h"

namespace {

constexpr ParamBlockDescID Float(DWORD id) { return {TYPE_FLOAT, nullptr, 1, id}; }
constexpr ParamBlockDescID Int(DWORD id) { return {TYPE_INT, nullptr, 0, id}; }
constexpr ParamBlockDescID Bool(DWORD id) { return {TYPE_BOOL, nullptr, 0, id}; }

constexpr const char* kSlotNames[TINTORA_NUM_SLOTS] = {
    "Tora Source",   "Tora Sat Offset", "Tora Val Offset", "Tora Hue Gain",
    "Tora Sat Gain", "Tora Val Gain",   "Tora R Offset",   "Tora G Offset",
    "Tora B Offset", "Tora R Gain",     "Tora G Gain",     "Tora B Gain",
};

}  // namespace

const ParamBlockDescID TintoraParamDesc[TINTORA_NUM_PARAMS] = {
    Float(PB_BRIGHTNESS), Float(PB_CONTRAST), Float(PB_HUE_OFFSET), Float(PB_HUE_GAIN),
    Float(PB_SAT_OFFSET), Float(PB_SAT_GAIN), Float(PB_VAL_OFFSET), Float(PB_VAL_GAIN),
    Float(PB_R_OFFSET),   Float(PB_R_GAIN),   Float(PB_G_OFFSET),   Float(PB_G_GAIN),
    Float(PB_B_OFFSET),   Float(PB_B_GAIN),   Int(PB_R_SOURCE),     Int(PB_G_SOURCE),
    Int(PB_B_SOURCE),     Bool(PB_INVERT),    Bool(PB_MONO),        Bool(PB_COLORIZE),
    {TYPE_RGBA, nullptr, 1, PB_SOURCE_COLOR},
};

const TintoraParamInfo TintoraParams[TINTORA_NUM_PARAMS] = {
    {"brightness", "Brightness", "percent", 0.0f, -1},
    {"contrast", "Contrast", "percent", 100.0f, -1},
    {"hue_offset", "Hue Offset", "degrees", 0.0f, -1},
    {"hue_gain", "Hue Gain", "degrees", 0.0f, MAP_HUE_GAIN},
    {"sat_offset", "Sat Offset", "percent", 0.0f, MAP_SAT_OFFSET},
    {"sat_gain", "Sat Gain", "percent", 100.0f, MAP_SAT_GAIN},
    {"val_offset", "Val Offset", "percent", 0.0f, MAP_VAL_OFFSET},
    {"val_gain", "Val Gain", "percent", 100.0f, MAP_VAL_GAIN},
    {"r_offset", "R Offset", "percent", 0.0f, MAP_R_OFFSET},
    {"r_gain", "R Gain", "percent", 100.0f, MAP_R_GAIN},
    {"g_offset", "G Offset", "percent", 0.0f, MAP_G_OFFSET},
    {"g_gain", "G Gain", "percent", 100.0f, MAP_G_GAIN},
    {"b_offset", "B Offset", "percent", 0.0f, MAP_B_OFFSET},
    {"b_gain", "B Gain", "percent", 100.0f, MAP_B_GAIN},
    {"r_source", nullptr, "channel", 0.0f, -1},
    {"g_source", nullptr, "channel", 1.0f, -1},
    {"b_source", nullptr, "channel", 2.0f, -1},
    {"invert", "Invert", "flag", 0.0f, -1},
    {"mono", "Monochrome", "flag", 0.0f, -1},
    {"colorize", "Colorize", "flag", 0.0f, -1},
    {"source_color", "Source Color", "color", 0.0f, MAP_SOURCE},
};

const int TintoraDefaultWriteOrder[TINTORA_NUM_PARAMS - 1] = {
    PB_HUE_OFFSET, PB_SAT_OFFSET, PB_VAL_OFFSET, PB_HUE_GAIN,   PB_SAT_GAIN,
    PB_VAL_GAIN,   PB_R_OFFSET,   PB_G_OFFSET,   PB_B_OFFSET,   PB_R_GAIN,
    PB_G_GAIN,     PB_B_GAIN,     PB_BRIGHTNESS, PB_CONTRAST,   PB_INVERT,
    PB_MONO,       PB_COLORIZE,   PB_R_SOURCE,   PB_G_SOURCE,   PB_B_SOURCE,
};

const char* TintoraSlotName(int slot) {
    return slot >= 0 && slot < TINTORA_NUM_SLOTS ? kSlotNames[slot] : "";
}
