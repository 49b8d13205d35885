#pragma once

#include <vector>

#include "host/shading.h"

/// One shading sample of the studio: texture coordinates, object-space
/// position and time, plus the shade tags of the textures that took part.
/// A context belongs to one thread at a time.
class StudioShadingContext : public ShadingContext {
public:
    StudioShadingContext() = default;
    StudioShadingContext(Point2 uv, Vector3 position, TimeValue time)
        : uv_(uv), position_(position), time_(time) {}

    TimeValue CurTime() const override { return time_; }
    Point2 UV() const override { return uv_; }
    Vector3 P() const override { return position_; }
    void SetShadeTag(int tag) override { lastTag_ = tag; ++tagCount_; }

    void SetUV(Point2 uv) { uv_ = uv; }
    void SetP(Vector3 position) { position_ = position; }
    void SetTime(TimeValue time) { time_ = time; }

    /// The tag recorded last, and how many were recorded since construction.
    int LastShadeTag() const { return lastTag_; }
    int ShadeTagCount() const { return tagCount_; }

private:
    Point2 uv_;
    Vector3 position_;
    TimeValue time_ = 0;
    int lastTag_ = 0;
    int tagCount_ = 0;
};
