#pragma once

#include "host/types.h"

// Identities of the studio's standard textures, as stored in scene files.
inline constexpr Class_ID BITMAP_TEX_CLASS_ID(0x6B1E0A01, 0x3C52D7E1);
inline constexpr Class_ID CHECKER_TEX_CLASS_ID(0x6B1E0A02, 0x3C52D7E2);
inline constexpr Class_ID NOISE_TEX_CLASS_ID(0x6B1E0A03, 0x3C52D7E3);
inline constexpr Class_ID CONSTANT_TEX_CLASS_ID(0x6B1E0A04, 0x3C52D7E4);
inline constexpr Class_ID GRADIENT_TEX_CLASS_ID(0x6B1E0A05, 0x3C52D7E5);
inline constexpr Class_ID MIX_TEX_CLASS_ID(0x6B1E0A06, 0x3C52D7E6);
