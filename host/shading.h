#pragma once

#include "host/types.h"

/// What a texture is evaluated at: one shading sample.
class ShadingContext {
public:
    virtual ~ShadingContext() = default;
    virtual TimeValue CurTime() const = 0;
    /// Texture coordinates of the sample.
    virtual Point2 UV() const = 0;
    /// Position of the sample in object space.
    virtual Vector3 P() const = 0;
    /// Records the tag of a texture that takes part in this sample.
    virtual void SetShadeTag(int tag) = 0;
};
