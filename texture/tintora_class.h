#pragma once

#include "host/types.h"

/// The identity of the Tintora texture class.
inline constexpr Class_ID TINTORA_CLASS_ID(0x57EE53DC, 0x134F5A34);

/// The class's display name, shown among the host's textures.
inline constexpr const char* TINTORA_CLASS_NAME = "Tintora";
