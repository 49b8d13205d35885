#pragma once

// The classes the fuzz targets and the seed generator create objects
// through: the standard textures and Tintora.

#include "studio/scene/class_registry.h"

/// Built once; the registry lives for the rest of the program.
const ClassRegistry& FuzzClasses();
