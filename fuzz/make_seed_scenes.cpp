// Writes the fuzzers' seed corpus: scene files saved by the studio, one per
// kind of texture graph a user makes.
//   tintora_fuzz_seeds FOLDER

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/fuzz_classes.h"
#include "studio/core/param_block.h"
#include "studio/scene/scene.h"
#include "studio/textures/bitmap_texture.h"
#include "studio/textures/mix_texture.h"
#include "studio/textures/simple_textures.h"
#include "texture/param_table.h"
#include "texture/tintora_class.h"

namespace {

Texmap* Create(Class_ID id) {
    ClassDesc* desc = FuzzClasses().Find(TEXMAP_CLASS_ID, id);
    return desc ? dynamic_cast<Texmap*>(desc->CreateTexture(0)) : nullptr;
}

IParamBlock* Params(Texmap* map) { return dynamic_cast<IParamBlock*>(map->GetReference(0)); }

Texmap* Tintora() { return Create(TINTORA_CLASS_ID); }

struct Seed {
    const char* name;
    std::function<void(Scene&)> build;
};

const std::vector<Seed>& Seeds() {
    static const std::vector<Seed> seeds = {
        {"tintora_default", [](Scene& s) { s.AddRoot(Tintora()); }},
        {"tintora_settings",
         [](Scene& s) {
             Texmap* map = Tintora();
             map->SetName("Graded");
             IParamBlock* p = Params(map);
             p->SetValue(PB_SOURCE_COLOR, 0, Color(1, 1, 1));
             p->SetValue(PB_INVERT, 0, 1);
             p->SetValue(PB_MONO, 0, 1);
             p->SetValue(PB_HUE_OFFSET, 0, 90.0f);
             p->SetValue(PB_SAT_GAIN, 0, 150.0f);
             p->SetValue(PB_R_SOURCE, 0, 2);
             p->SetValue(PB_B_GAIN, 0, -40.0f);
             s.AddRoot(map);
         }},
        {"tintora_animated",
         [](Scene& s) {
             Texmap* map = Tintora();
             IParamBlock* p = Params(map);
             studio::SetAutoKey(true);
             p->SetValue(PB_BRIGHTNESS, 0, 0.0f);
             p->SetValue(PB_BRIGHTNESS, 4800, 50.0f);
             p->SetValue(PB_HUE_GAIN, 1600, 30.0f);
             p->SetValue(PB_SOURCE_COLOR, 3200, Color(0.2f, 0.4f, 0.6f));
             studio::SetAutoKey(false);
             s.AddRoot(map);
         }},
        {"tintora_slots",
         [](Scene& s) {
             Texmap* map = Tintora();
             Texmap* checker = Create(CHECKER_TEX_CLASS_ID);
             map->SetSubTexmap(MAP_SOURCE, checker);
             map->SetSubTexmap(MAP_SAT_GAIN, Create(NOISE_TEX_CLASS_ID));
             map->SetSubTexmap(MAP_R_OFFSET, checker);  // shared: saved once
             map->SetSubTexmap(MAP_B_GAIN, Create(GRADIENT_TEX_CLASS_ID));
             s.AddRoot(map);
         }},
        {"tintora_nested",
         [](Scene& s) {
             Texmap* inner = Tintora();
             Params(inner)->SetValue(PB_INVERT, 0, 1);
             inner->SetSubTexmap(MAP_SOURCE, Create(CONSTANT_TEX_CLASS_ID));
             Texmap* outer = Tintora();
             outer->SetSubTexmap(MAP_SOURCE, inner);
             outer->SetSubTexmap(MAP_VAL_GAIN, inner);
             s.AddRoot(outer);
         }},
        {"standard_textures",
         [](Scene& s) {
             for (Class_ID id : {CHECKER_TEX_CLASS_ID, NOISE_TEX_CLASS_ID, CONSTANT_TEX_CLASS_ID,
                                 GRADIENT_TEX_CLASS_ID})
                 s.AddRoot(Create(id));
             s.AddRoot(nullptr);
         }},
        {"mix_and_bitmap",
         [](Scene& s) {
             Texmap* mix = Create(MIX_TEX_CLASS_ID);
             auto* bitmap = dynamic_cast<BitmapTex*>(Create(BITMAP_TEX_CLASS_ID));
             bitmap->SetFileName("no-such-image.png");  // kept, reported on load
             mix->SetSubTexmap(MixTex::MAP1, bitmap);
             mix->SetSubTexmap(MixTex::MASK, Tintora());
             s.AddRoot(mix);
         }},
        {"two_roots_shared",
         [](Scene& s) {
             Texmap* shared = Tintora();
             Texmap* a = Tintora();
             Texmap* b = Create(MIX_TEX_CLASS_ID);
             a->SetSubTexmap(MAP_SOURCE, shared);
             b->SetSubTexmap(MixTex::MAP2, shared);
             s.AddRoot(a);
             s.AddRoot(b);
         }},
    };
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tintora_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    for (const Seed& seed : Seeds()) {
        Scene scene;
        seed.build(scene);
        const std::string path = (folder / (std::string(seed.name) + ".tnts")).string();
        if (const std::string problem = scene.Save(path); !problem.empty()) {
            std::fprintf(stderr, "%s\n", problem.c_str());
            return 1;
        }
    }
    return 0;
}
