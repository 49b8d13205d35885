#pragma once

// The module as Windows loads it, and what the tests need to drive it.

#include <memory>

#include "host/class_desc.h"
#include "host/mtl_base.h"
#include "tests/windows/system_loader.h"

namespace windows_test {

/// Beside the test program, where the build puts it.
inline constexpr const char* kModuleFile = "TINTORA.dlm";

/// The module, loaded by the system loader (which calls its entry point)
/// for as long as the object lives.
class LoadedModule {
public:
    LoadedModule() : library(OpenLibrary(kModuleFile)) {}
    ~LoadedModule() {
        if (library) CloseLibrary(library);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    void* Library() const { return library; }
    template <typename Fn>
    Fn ByName(const char* name) const {
        return reinterpret_cast<Fn>(ExportByName(library, name));
    }
    template <typename Fn>
    Fn ByOrdinal(unsigned ordinal) const {
        return reinterpret_cast<Fn>(ExportByOrdinal(library, ordinal));
    }
    /// The module's one class descriptor, or null.
    ClassDesc* Descriptor() const {
        const auto classDesc = ByName<LibClassDescFn>("LibClassDesc");
        return classDesc ? classDesc(0) : nullptr;
    }

private:
    void* library;
};

/// One shading sample in the middle of the texture space at time 0.
class CentreSample : public ShadingContext {
public:
    TimeValue CurTime() const override { return 0; }
    Point2 UV() const override { return {0.5f, 0.5f}; }
    Vector3 P() const override { return {}; }
    void SetShadeTag(int) override {}
};

/// Owns an object the way the host does: deleted through DeleteThis.
struct DeleteThisDeleter {
    void operator()(Animatable* object) const { object->DeleteThis(); }
};
using ObjectPtr = std::unique_ptr<ReferenceTarget, DeleteThisDeleter>;

/// Updates `map` for time 0 and evaluates one sample.
inline ColorRGBA UpdateAndEvaluate(Texmap& map) {
    Interval valid = WHOLE_INTERVAL;
    map.Update(0, valid);
    CentreSample sample;
    return map.EvaluateColor(sample);
}

}  // namespace windows_test
