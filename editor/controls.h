#pragma once

// Control ids of the parameter rollup, and the slot each sub-texture button
// requests.

inline constexpr int IDD_TINTORA_PARAMS = 102;
inline constexpr int IDD_TINTORA_ABOUT = 103;

inline constexpr int IDC_SOURCE_SWATCH = 1066;
inline constexpr int IDC_INVERT = 1031;
inline constexpr int IDC_MONO = 1032;
inline constexpr int IDC_COLORIZE = 1055;
inline constexpr int IDC_RESET = 1065;
inline constexpr int IDC_R_SOURCE = 1033;
inline constexpr int IDC_G_SOURCE = 1034;
inline constexpr int IDC_B_SOURCE = 1035;

/// The button of each sub-texture slot, by slot index.
inline constexpr int slotButtonIds[12] = {1003, 1062, 1063, 1016, 1023, 1024,
                                          1041, 1047, 1053, 1038, 1044, 1050};
