#pragma once

#include "studio/scene/class_registry.h"

/// Adds the descriptors of the standard textures (bitmap, checker, noise,
/// constant, gradient, mix) to `registry`; adding them twice changes nothing.
void RegisterStandardTextures(ClassRegistry& registry = BuiltinClasses());
