// Scenes and clones of graphs around the Tintora texture, loaded from its
// module like any host would.

#include "scene_test_support.h"
#include "studio/core/clone_remap.h"
#include "studio/core/module_loader.h"
#include "texture/param_table.h"
#include "texture/tintora_class.h"

using namespace scene_test;

namespace {

class TintoraScenes : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterStandardTextures();
        modules = new studio::ModuleRegistry;
        loadMessages = modules->LoadFolder(studio::DefaultPluginFolder());
    }
    static void TearDownTestSuite() {
        delete modules;
        modules = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(loadMessages.empty()) << loadMessages.front();
        ASSERT_NE(modules->FindClass(TINTORA_CLASS_ID), nullptr) << "no Tintora module in " << studio::DefaultPluginFolder();
    }
    void TearDown() override { studio::SetAutoKey(false); }

    static Texmap* NewTintora() { return dynamic_cast<Texmap*>(modules->Create(TINTORA_CLASS_ID)); }
    static IParamBlock& Block(Texmap& tex) { return *static_cast<IParamBlock*>(tex.GetReference(0)); }

    // An animated Tintora with a shared animated checker as its source and its
    // red gain, noise on the saturation gain, and a nested Tintora (over a
    // gradient) on the value offset.
    static Texmap* BuildTintoraGraph() {
        Texmap* tint = NewTintora();
        Texmap* nested = NewTintora();
        auto* checker = new CheckerTex;
        auto* noise = new NoiseTex;
        auto* gradient = new GradientTex;
        tint->SetName("graded");
        Animate(Block(*tint), PB_HUE_OFFSET, 0.0f, 90.0f);
        Animate(Block(*tint), PB_CONTRAST, 10.0f, -20.0f);
        Animate(Block(*tint), PB_SOURCE_COLOR, Color(0.2f, 0.5f, 0.8f), Color(0.9f, 0.3f, 0.1f));
        Block(*tint).SetValue(PB_INVERT, 0, 1);
        Animate(Block(*nested), PB_SAT_GAIN, 100.0f, 40.0f);
        Animate(*checker->ParamBlock(), CheckerTex::TILES, 2.0f, 5.0f);
        Animate(*noise->ParamBlock(), NoiseTex::PHASE, 0.0f, 2.0f);
        nested->SetSubTexmap(MAP_SOURCE, gradient);
        tint->SetSubTexmap(MAP_SOURCE, checker);
        tint->SetSubTexmap(MAP_R_GAIN, checker);
        tint->SetSubTexmap(MAP_SAT_GAIN, noise);
        tint->SetSubTexmap(MAP_VAL_OFFSET, nested);
        return tint;
    }

    static studio::ModuleRegistry* modules;
    static std::vector<std::string> loadMessages;
};

studio::ModuleRegistry* TintoraScenes::modules = nullptr;
std::vector<std::string> TintoraScenes::loadMessages;

TEST_F(TintoraScenes, AnimatedGraphSavesLoadsAndEvaluatesEqualAtEveryTime) {
    Scene original;
    original.AddRoot(BuildTintoraGraph());
    const studio::Bytes bytes = SceneBytes(original);

    SceneLoadResult loaded = Scene::LoadFromMemory(bytes, "tintora.tnts", StudioClasses(*modules));
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_TRUE(loaded.warnings.empty()) << loaded.warnings.front();
    Texmap* tint = loaded.scene->RootTexmap(0);
    ASSERT_NE(tint, nullptr);
    EXPECT_EQ(tint->ClassID(), TINTORA_CLASS_ID);
    EXPECT_EQ(tint->GetName(), "graded");
    EXPECT_EQ(tint->GetSubTexmap(MAP_SOURCE), tint->GetSubTexmap(MAP_R_GAIN));
    ASSERT_NE(tint->GetSubTexmap(MAP_VAL_OFFSET), nullptr);
    EXPECT_EQ(tint->GetSubTexmap(MAP_VAL_OFFSET)->ClassID(), TINTORA_CLASS_ID);
    EXPECT_EQ(tint->GetSubTexmap(MAP_HUE_GAIN), nullptr);
    ExpectSameEverywhere(*original.RootTexmap(0), *tint, "loaded Tintora graph");
    EXPECT_EQ(SceneBytes(*loaded.scene), bytes);
}

TEST_F(TintoraScenes, MissingModuleKeepsTheTintoraObjectsForTheNextSave) {
    Scene original;
    auto* mix = new MixTex;
    mix->SetSubTexmap(MixTex::MAP1, BuildTintoraGraph());
    original.AddRoot(mix);
    const studio::Bytes bytes = SceneBytes(original);

    SceneLoadResult partial = Scene::LoadFromMemory(bytes, "tintora.tnts", StandardClasses());
    ASSERT_TRUE(partial) << partial.error;
    ASSERT_EQ(partial.warnings.size(), 2u) << "the outer and the nested Tintora";
    for (const std::string& warning : partial.warnings)
        EXPECT_NE(warning.find("\"Tintora\" (0x57EE53DC, 0x134F5A34)"), std::string::npos) << warning;
    EXPECT_EQ(partial.scene->RootTexmap(0)->GetSubTexmap(MixTex::MAP1), nullptr);
    const studio::Bytes resaved = SceneBytes(*partial.scene);
    EXPECT_EQ(resaved, bytes);

    SceneLoadResult complete = Scene::LoadFromMemory(resaved, "tintora.tnts", StudioClasses(*modules));
    ASSERT_TRUE(complete) << complete.error;
    ExpectSameEverywhere(*original.RootTexmap(0), *complete.scene->RootTexmap(0), "after the module came back");
}

TEST_F(TintoraScenes, CloneIsIndependentEvaluatesEqualAndKeepsSharing) {
    Scene scene;
    Texmap* tint = BuildTintoraGraph();
    scene.AddRoot(tint);
    studio::CloneRemap remap;
    scene.AddRoot(remap.CloneTarget(tint));
    Texmap* copy = scene.RootTexmap(1);
    ASSERT_NE(copy, nullptr);
    ExpectSameEverywhere(*tint, *copy, "clone");
    EXPECT_EQ(copy->GetSubTexmap(MAP_SOURCE), copy->GetSubTexmap(MAP_R_GAIN));
    EXPECT_NE(copy->GetSubTexmap(MAP_SOURCE), tint->GetSubTexmap(MAP_SOURCE));
    EXPECT_NE(copy->GetReference(0), tint->GetReference(0));

    const std::vector<float> before = Evaluate(*copy, 80);
    Block(*tint).SetValue(PB_BRIGHTNESS, 80, 30.0f);
    EXPECT_NE(Evaluate(*tint, 80), before);
    EXPECT_EQ(Evaluate(*copy, 80), before);
}

}  // namespace
