#pragma once

// Small textures and contexts for the texture's tests: fixed answers, and a
// shared log of the calls they receive, so that tests can check call orders.

#include <memory>
#include <string>
#include <vector>

#include "host/mtl_base.h"
#include "texture/tintora_map.h"

using CallLog = std::vector<std::string>;

/// A sub-texture with fixed answers that logs "<name>.<operation>".
class FixedTexmap : public StdTexmap {
public:
    explicit FixedTexmap(std::string tag, CallLog* calls = nullptr)
        : label(std::move(tag)), log(calls) {}

    ColorRGBA color{0.5f, 0.5f, 0.5f, 1.0f};
    float mono = 1.0f;
    Vector3 perturbation{0.25f, -0.5f, 1.0f};
    Interval validity = WHOLE_INTERVAL;
    int shadeTagToSet = 0;

    ColorRGBA EvaluateColor(ShadingContext& sc) override {
        Log("color");
        if (shadeTagToSet) sc.SetShadeTag(shadeTagToSet);
        return color;
    }
    float EvaluateMono(ShadingContext&) override { Log("mono"); return mono; }
    Vector3 EvaluatePerturbation(ShadingContext&) override { Log("perturbation"); return perturbation; }
    void Update(TimeValue, Interval& valid) override { Log("update"); valid &= validity; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override {
        return REF_SUCCEED;
    }
    ReferenceTarget* Clone(RemapDir&) override {
        auto* copy = new FixedTexmap(label + "'", log);
        copy->color = color;
        copy->mono = mono;
        copy->perturbation = perturbation;
        return copy;
    }

    const std::string label;

private:
    void Log(const char* what) {
        if (log) log->push_back(label + "." + what);
    }
    CallLog* log;
};

/// A shading context that logs the tags handed to it.
class LoggingContext : public ShadingContext {
public:
    explicit LoggingContext(CallLog* calls = nullptr) : log(calls) {}
    TimeValue CurTime() const override { return 0; }
    Point2 UV() const override { return {0.5f, 0.5f}; }
    Vector3 P() const override { return {}; }
    void SetShadeTag(int tag) override {
        if (log) log->push_back("tag " + std::to_string(tag));
    }

private:
    CallLog* log;
};

/// Owns a texture the way the host does: deleted through DeleteThis.
struct DeleteThisDeleter {
    void operator()(Animatable* a) const { a->DeleteThis(); }
};
using TintoraPtr = std::unique_ptr<TintoraMap, DeleteThisDeleter>;

inline TintoraPtr NewTintora() { return TintoraPtr(new TintoraMap()); }
