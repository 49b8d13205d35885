#include <unistd.h>

#include <filesystem>

#include "scene_test_support.h"
#include "studio/core/clone_remap.h"

namespace fs = std::filesystem;
using namespace scene_test;

namespace {

class SceneRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tintora-scene-round-trip-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(SceneRoundTrip, StandardGraphLoadsAndEvaluatesEqualAtEveryTime) {
    Scene original;
    BuildStandardGraph(original);
    ASSERT_EQ(original.Save(Path("graph.tnts")), "");

    SceneLoadResult loaded = Scene::Load(Path("graph.tnts"), StandardClasses());
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_TRUE(loaded.warnings.empty());
    Scene& scene = *loaded.scene;
    ASSERT_EQ(scene.RootCount(), 3);
    for (int i = 0; i < 3; ++i) ExpectSameEverywhere(*original.RootTexmap(i), *scene.RootTexmap(i), "root " + std::to_string(i));

    auto* mix = dynamic_cast<MixTex*>(scene.RootTexmap(0));
    ASSERT_NE(mix, nullptr);
    EXPECT_EQ(mix->GetName(), "mixer");
    EXPECT_EQ(mix->GetSubTexmap(MixTex::MAP1), mix->GetSubTexmap(MixTex::MASK)) << "sharing survives";
    EXPECT_EQ(mix->GetSubTexmap(MixTex::MAP1), scene.Root(2)) << "sharing across roots survives";
    EXPECT_EQ(scene.RootTexmap(2)->GetName(), "board");
    auto* block = dynamic_cast<studio::ParamBlock*>(scene.RootTexmap(2)->GetReference(0));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->NumKeys(CheckerTex::TILES), 2);
    EXPECT_EQ(mix->Validity(80), Interval(80, 80));
}

TEST_F(SceneRoundTrip, SavingALoadedSceneWritesTheSameBytes) {
    Scene original;
    BuildStandardGraph(original);
    const studio::Bytes first = SceneBytes(original);
    SceneLoadResult loaded = Scene::LoadFromMemory(first, "memory", StandardClasses());
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_EQ(SceneBytes(*loaded.scene), first);
}

TEST_F(SceneRoundTrip, EmptyRootsAndAnEmptySceneSurvive) {
    Scene scene;
    scene.AddRoot(nullptr);
    scene.AddRoot(new ConstantTex);
    SceneLoadResult loaded = Scene::LoadFromMemory(SceneBytes(scene), "memory", StandardClasses());
    ASSERT_TRUE(loaded) << loaded.error;
    ASSERT_EQ(loaded.scene->RootCount(), 2);
    EXPECT_EQ(loaded.scene->Root(0), nullptr);
    EXPECT_NE(loaded.scene->RootTexmap(1), nullptr);

    Scene empty;
    SceneLoadResult none = Scene::LoadFromMemory(SceneBytes(empty), "memory", StandardClasses());
    ASSERT_TRUE(none) << none.error;
    EXPECT_EQ(none.scene->RootCount(), 0);
}

TEST_F(SceneRoundTrip, LoadedGraphClonesIntoAnIndependentCopyThatKeepsSharing) {
    Scene original;
    BuildStandardGraph(original);
    SceneLoadResult loaded = Scene::LoadFromMemory(SceneBytes(original), "memory", StandardClasses());
    ASSERT_TRUE(loaded) << loaded.error;
    Texmap* mix = loaded.scene->RootTexmap(0);
    studio::CloneRemap remap;
    Scene copies;
    copies.AddRoot(remap.CloneTarget(mix));
    Texmap* copy = copies.RootTexmap(0);
    ASSERT_NE(copy, nullptr);
    ExpectSameEverywhere(*mix, *copy, "clone");
    EXPECT_EQ(copy->GetSubTexmap(MixTex::MAP1), copy->GetSubTexmap(MixTex::MASK));
    EXPECT_NE(copy->GetSubTexmap(MixTex::MAP1), mix->GetSubTexmap(MixTex::MAP1));
    const std::vector<float> before = Evaluate(*copy, 40);
    static_cast<IParamBlock*>(mix->GetSubTexmap(MixTex::MAP1)->GetReference(0))
        ->SetValue(CheckerTex::COLOR2, 0, Color(0, 0, 1));
    EXPECT_NE(Evaluate(*mix, 40), before);
    EXPECT_EQ(Evaluate(*copy, 40), before) << "the copy does not follow the original";
}

}  // namespace
