// Scene files from untrusted bytes: loading either refuses with a message
// or gives a scene whose textures update, evaluate and save again, and
// whose saved form loads back.

#include <cstdint>
#include <cstdlib>
#include <cstdio>

#include "fuzz/fuzz_classes.h"
#include "studio/scene/scene.h"

namespace {

class FuzzSample : public ShadingContext {
public:
    FuzzSample(float u, float v) : uv{u, v} {}
    TimeValue CurTime() const override { return 0; }
    Point2 UV() const override { return uv; }
    Vector3 P() const override { return {uv.x, uv.y, 0.0f}; }
    void SetShadeTag(int) override {}

private:
    Point2 uv;
};

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

void Exercise(Scene& scene) {
    for (int i = 0; i < scene.RootCount(); ++i) {
        Texmap* map = scene.RootTexmap(i);
        if (!map) continue;
        for (TimeValue t : {0, 4800}) {
            Interval valid = WHOLE_INTERVAL;
            map->Update(t, valid);
            for (const FuzzSample& sample : {FuzzSample(0.25f, 0.75f), FuzzSample(-3.5f, 1e6f)}) {
                FuzzSample copy = sample;
                map->EvaluateColor(copy);
                map->EvaluateMono(copy);
                map->EvaluatePerturbation(copy);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ClassRegistry& classes = FuzzClasses();
    SceneLoadResult loaded = Scene::LoadFromMemory(studio::Bytes(data, data + size), "input", classes);
    if (!loaded) {
        if (loaded.error.empty()) Fail("refused without a message", "");
        return 0;
    }
    Exercise(*loaded.scene);

    studio::MemorySave saved;
    const std::string problem = loaded.scene->SaveTo(saved);
    if (!problem.empty()) Fail("a loaded scene did not save", problem);
    SceneLoadResult again = Scene::LoadFromMemory(saved.Data(), "saved input", classes);
    if (!again) Fail("a saved scene did not load", again.error);
    if (again.scene->RootCount() != loaded.scene->RootCount())
        Fail("the saved scene lost roots", std::to_string(again.scene->RootCount()));
    return 0;
}
