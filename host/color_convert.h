#pragma once

#include "host/types.h"

/// Converts a colour word (0x00BBGGRR) to hue, saturation and value, each on
/// 0..255; hue is cyclic over 0..255.
HOST_API void RGBtoHSV(DWORD rgb, int* h, int* s, int* v);

/// Converts hue, saturation and value on 0..255 back to a colour word.
/// The hue is taken modulo 256; a saturation or value below 0 counts as 0.
HOST_API DWORD HSVtoRGB(int h, int s, int v);
