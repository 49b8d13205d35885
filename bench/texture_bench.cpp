// Evaluation, update and rendering speed of the Tintora texture.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "studio/render/image_file.h"
#include "studio/render/renderer.h"
#include "studio/render/shading_context.h"
#include "studio/textures/bitmap_texture.h"
#include "studio/textures/simple_textures.h"
#include "texture/tintora_map.h"

namespace {

struct DeleteThis {
    void operator()(Animatable* a) const { a->DeleteThis(); }
};
using MapPtr = std::unique_ptr<TintoraMap, DeleteThis>;

// A corrected look that exercises every step of the pipeline.
MapPtr NewLook() {
    MapPtr map(new TintoraMap());
    IParamBlock* pb = map->ParamBlock();
    pb->SetValue(PB_HUE_OFFSET, 0, 30.0f);
    pb->SetValue(PB_SAT_GAIN, 0, 80.0f);
    pb->SetValue(PB_CONTRAST, 0, 120.0f);
    pb->SetValue(PB_R_GAIN, 0, 110.0f);
    pb->SetValue(PB_SOURCE_COLOR, 0, Color(0.8f, 0.4f, 0.2f));
    return map;
}

// Evaluates along a row of samples so that sub-textures see varying UVs.
void EvaluateSamples(benchmark::State& state, TintoraMap& map) {
    Interval valid = WHOLE_INTERVAL;
    map.Update(0, valid);
    StudioShadingContext sc;
    std::int64_t n = 0;
    for (auto _ : state) {
        sc.SetUV({float(n & 1023) / 1024.0f, float((n >> 10) & 1023) / 1024.0f});
        benchmark::DoNotOptimize(map.EvaluateColor(sc));
        ++n;
    }
    state.SetItemsProcessed(n);
}

void BM_EvaluateConstantSource(benchmark::State& state) {
    MapPtr map = NewLook();
    EvaluateSamples(state, *map);
}
BENCHMARK(BM_EvaluateConstantSource);

// The whole per-sample pipeline: a constant sub-texture as the source keeps
// the update from working the result out once.
void BM_EvaluatePipeline(benchmark::State& state) {
    MapPtr map = NewLook();
    map->SetSubTexmap(MAP_SOURCE, new ConstantTex());
    EvaluateSamples(state, *map);
}
BENCHMARK(BM_EvaluatePipeline);

void BM_EvaluateBitmapSource(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "tintora_bench_source.png").string();
    ImageBuffer image(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            image.At(x, y) = {float(x) / 255.0f, float(y) / 255.0f, 0.5f, 1.0f};
    if (const std::string error = WriteImage(path, image); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    MapPtr map = NewLook();
    auto* bitmap = new BitmapTex();
    bitmap->SetFileName(path);
    map->SetSubTexmap(MAP_SOURCE, bitmap);
    EvaluateSamples(state, *map);
    std::remove(path.c_str());
}
BENCHMARK(BM_EvaluateBitmapSource);

void BM_EvaluateAllMaps(benchmark::State& state) {
    MapPtr map = NewLook();
    map->SetSubTexmap(MAP_SOURCE, new CheckerTex());
    for (int slot = MAP_SAT_OFFSET; slot < TINTORA_NUM_SLOTS; ++slot)
        map->SetSubTexmap(slot, slot % 2 ? static_cast<Texmap*>(new NoiseTex())
                                         : static_cast<Texmap*>(new ConstantTex()));
    EvaluateSamples(state, *map);
}
BENCHMARK(BM_EvaluateAllMaps);

// A source with a different 8-bit colour at every sample, as an image gives.
class VaryingSource final : public Texmap {
public:
    ColorRGBA EvaluateColor(ShadingContext& sc) override {
        const auto i = std::uint32_t(sc.UV().x * 4096.0f) * 2654435761u;
        return {float(i & 255) / 255.0f, float((i >> 8) & 255) / 255.0f, float((i >> 16) & 255) / 255.0f, 1.0f};
    }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }
    ReferenceTarget* Clone(RemapDir&) override { return new VaryingSource; }
};

// Rows of 4096 samples through EvaluateColors (batch) or EvaluateColor
// (per sample), with a source that varies at every sample.
void BM_EvaluateRow(benchmark::State& state) {
    MapPtr map = NewLook();
    map->SetSubTexmap(MAP_SOURCE, new VaryingSource());
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    constexpr int kWidth = 4096;
    std::vector<StudioShadingContext> contexts(kWidth);
    std::vector<ShadingContext*> samples;
    for (int x = 0; x < kWidth; ++x) {
        contexts[std::size_t(x)].SetUV({(float(x) + 0.5f) / kWidth, 0.5f});
        samples.push_back(&contexts[std::size_t(x)]);
    }
    std::vector<ColorRGBA> row(kWidth);
    const bool batch = state.range(0) != 0;
    for (auto _ : state) {
        if (batch) {
            map->EvaluateColors(samples.data(), kWidth, row.data());
        } else {
            for (int x = 0; x < kWidth; ++x) row[std::size_t(x)] = map->EvaluateColor(*samples[std::size_t(x)]);
        }
        benchmark::DoNotOptimize(row.data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth);
}
BENCHMARK(BM_EvaluateRow)->ArgName("batch")->Arg(0)->Arg(1);

void BM_UpdateInsideInterval(benchmark::State& state) {
    MapPtr map = NewLook();
    Interval valid = WHOLE_INTERVAL;
    map->Update(0, valid);
    TimeValue t = 0;
    for (auto _ : state) {
        Interval v = WHOLE_INTERVAL;
        map->Update(t++, v);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_UpdateInsideInterval);

void BM_UpdateOutsideInterval(benchmark::State& state) {
    MapPtr map = NewLook();
    PartID part = 0;
    for (auto _ : state) {
        map->OnReferenceMessage(WHOLE_INTERVAL, nullptr, part, 80);  // empties the cache
        Interval v = WHOLE_INTERVAL;
        map->Update(0, v);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_UpdateOutsideInterval);

// Whole frames through the renderer; items are pixels, so the rate reads as
// pixels per second.
void BM_Render(benchmark::State& state) {
    MapPtr map = NewLook();
    map->SetSubTexmap(MAP_SOURCE, new CheckerTex());
    RenderSettings settings;
    settings.width = settings.height = 512;
    settings.threads = int(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(RenderTexture(*map, 0, settings));
    state.SetItemsProcessed(state.iterations() * settings.width * settings.height);
}
BENCHMARK(BM_Render)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
