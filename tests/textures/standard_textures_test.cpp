#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "studio/core/clone_remap.h"
#include "studio/core/param_block.h"
#include "studio/render/image_file.h"
#include "studio/render/shading_context.h"
#include "studio/textures/bitmap_texture.h"
#include "studio/textures/mix_texture.h"
#include "studio/textures/simple_textures.h"
#include "studio/textures/standard_classes.h"

namespace fs = std::filesystem;

namespace {

// Holds the textures of a test as a host would, so that dropping the holder
// deletes them through the reference system.
class Holder final : public ReferenceMaker {
public:
    ~Holder() override { DeleteAllRefsFromMe(); }
    template <typename T>
    T* Hold(T* target) {
        slots.push_back(nullptr);
        ReplaceReference(int(slots.size()) - 1, target);
        return target;
    }
    int NumRefs() override { return int(slots.size()); }
    RefTargetHandle GetReference(int i) override { return slots[std::size_t(i)]; }
    void SetReference(int i, RefTargetHandle t) override { slots[std::size_t(i)] = t; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override { return REF_SUCCEED; }

private:
    std::vector<RefTargetHandle> slots;
};

ColorRGBA ColorAt(Texmap& tex, float u, float v, TimeValue t = 0) {
    Interval valid = WHOLE_INTERVAL;
    tex.Update(t, valid);
    StudioShadingContext sc({u, v}, {u, v, 0.0f}, t);
    return tex.EvaluateColor(sc);
}

class StandardTextures : public ::testing::Test {
protected:
    void TearDown() override { studio::SetAutoKey(false); }
    Holder holder;
};

TEST_F(StandardTextures, DefaultsEvaluateAsDocumented) {
    ConstantTex* constant = holder.Hold(new ConstantTex);
    CheckerTex* checker = holder.Hold(new CheckerTex);
    GradientTex* gradient = holder.Hold(new GradientTex);
    MixTex* mix = holder.Hold(new MixTex);
    EXPECT_EQ(ColorAt(*constant, 0.3f, 0.7f), (ColorRGBA{0.5f, 0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(ColorAt(*checker, 0.1f, 0.1f), (ColorRGBA{0, 0, 0, 1}));
    EXPECT_EQ(ColorAt(*checker, 0.6f, 0.1f), (ColorRGBA{1, 1, 1, 1}));
    EXPECT_EQ(ColorAt(*gradient, 0.25f, 0.9f), (ColorRGBA{0.25f, 0.25f, 0.25f, 1}));
    EXPECT_EQ(ColorAt(*mix, 0.5f, 0.5f), (ColorRGBA{0.5f, 0.5f, 0.5f, 1}));
}

TEST_F(StandardTextures, MonoIsTheAverageOfTheColourChannels) {
    NoiseTex* noise = holder.Hold(new NoiseTex);
    noise->ParamBlock()->SetValue(NoiseTex::COLOR2, 0, Color(1.0f, 0.5f, 0.0f));
    GradientTex* gradient = holder.Hold(new GradientTex);
    gradient->ParamBlock()->SetValue(GradientTex::COLOR2, 0, Color(0.9f, 0.3f, 0.0f));
    for (Texmap* tex : std::initializer_list<Texmap*>{noise, gradient}) {
        for (float u : {0.13f, 0.5f, 0.77f}) {
            const ColorRGBA c = ColorAt(*tex, u, 0.4f);
            StudioShadingContext sc({u, 0.4f}, {}, 0);
            EXPECT_NEAR(tex->EvaluateMono(sc), (c.r + c.g + c.b) / 3.0f, 1e-6f);
        }
    }
}

TEST_F(StandardTextures, UpdateAndValidityFollowAnimatedParameters) {
    CheckerTex* checker = holder.Hold(new CheckerTex);
    studio::SetAutoKey(true);
    IParamBlock& pb = *checker->ParamBlock();
    pb.SetValue(CheckerTex::COLOR2, 0, Color(1, 1, 1));
    pb.SetValue(CheckerTex::COLOR2, 100, Color(0, 1, 0));
    EXPECT_EQ(checker->Validity(50), Interval(50, 50));
    EXPECT_EQ(checker->Validity(200), Interval(100, TIME_PosInfinity));
    EXPECT_EQ(checker->Validity(-10), Interval(TIME_NegInfinity, 0));

    Interval valid = WHOLE_INTERVAL;
    checker->Update(50, valid);
    EXPECT_EQ(valid, Interval(50, 50));
    EXPECT_EQ(ColorAt(*checker, 0.6f, 0.1f, 50), (ColorRGBA{0.5f, 1.0f, 0.5f, 1.0f}));
    EXPECT_EQ(ColorAt(*checker, 0.6f, 0.1f, 150), (ColorRGBA{0, 1, 0, 1}));
    // A change after an Update reaches the cache through the change notice.
    studio::SetAutoKey(false);
    pb.SetValue(CheckerTex::TILES, 0, 1.0f);
    EXPECT_EQ(ColorAt(*checker, 0.6f, 0.1f, 150), (ColorRGBA{0, 0, 0, 1}));
}

TEST_F(StandardTextures, GradientUsesThreeColoursAlongV) {
    GradientTex* gradient = holder.Hold(new GradientTex);
    IParamBlock& pb = *gradient->ParamBlock();
    pb.SetValue(GradientTex::THREE_COLORS, 0, 1);
    pb.SetValue(GradientTex::AXIS, 0, 1);
    pb.SetValue(GradientTex::COLOR3, 0, Color(1, 0, 0));
    EXPECT_EQ(ColorAt(*gradient, 0.9f, 0.5f), (ColorRGBA{1, 1, 1, 1}));
    EXPECT_EQ(ColorAt(*gradient, 0.1f, 1.0f), (ColorRGBA{1, 0, 0, 1}));
    EXPECT_EQ(ColorAt(*gradient, 0.1f, 0.25f), (ColorRGBA{0.5f, 0.5f, 0.5f, 1}));
}

TEST_F(StandardTextures, NoiseFlowsWithItsPhaseAndHasASlope) {
    NoiseTex* noise = holder.Hold(new NoiseTex);
    const ColorRGBA before = ColorAt(*noise, 0.31f, 0.47f);
    noise->ParamBlock()->SetValue(NoiseTex::PHASE, 0, 0.5f);
    const ColorRGBA after = ColorAt(*noise, 0.31f, 0.47f);
    EXPECT_NE(before, after);
    EXPECT_GE(after.r, 0.0f);
    EXPECT_LE(after.r, 1.0f);
    StudioShadingContext sc({0.31f, 0.47f}, {}, 0);
    const Vector3 slope = noise->EvaluatePerturbation(sc);
    EXPECT_NE(slope, Vector3{});
}

TEST_F(StandardTextures, MixBlendsItsSubTexturesByTheMask) {
    MixTex* mix = holder.Hold(new MixTex);
    ConstantTex* red = new ConstantTex;
    red->ParamBlock()->SetValue(ConstantTex::COLOR, 0, Color(1, 0, 0));
    GradientTex* mask = new GradientTex;
    mix->SetSubTexmap(MixTex::MAP1, red);
    mix->SetSubTexmap(MixTex::MASK, mask);
    EXPECT_EQ(mix->GetReference(1), red);
    EXPECT_EQ(ColorAt(*mix, 0.0f, 0.5f), (ColorRGBA{1, 0, 0, 1}));
    EXPECT_EQ(ColorAt(*mix, 1.0f, 0.5f), (ColorRGBA{1, 1, 1, 1}));
    EXPECT_EQ(ColorAt(*mix, 0.5f, 0.5f), (ColorRGBA{1, 0.5f, 0.5f, 1}));
    // The mask's animation narrows the mix's validity.
    studio::SetAutoKey(true);
    mask->ParamBlock()->SetValue(GradientTex::COLOR1, 10, Color(0, 0, 1));
    mask->ParamBlock()->SetValue(GradientTex::COLOR1, 20, Color(0, 1, 1));
    EXPECT_EQ(mix->Validity(15), Interval(15, 15));
    Interval valid = WHOLE_INTERVAL;
    mix->Update(15, valid);
    EXPECT_EQ(valid, Interval(15, 15));
}

TEST_F(StandardTextures, ReferencesRefuseTargetsOfTheWrongKind) {
    MixTex* mix = holder.Hold(new MixTex);
    IParamBlock* block = mix->ParamBlock();
    mix->SetReference(1, block);
    EXPECT_EQ(mix->GetReference(1), nullptr);
    ConstantTex* other = holder.Hold(new ConstantTex);
    mix->SetReference(0, other);
    EXPECT_EQ(mix->GetReference(0), nullptr);
    EXPECT_EQ(ColorAt(*mix, 0.5f, 0.5f), (ColorRGBA{0, 0, 0, 1})) << "no block: zero parameters, no crash";
    mix->SetReference(0, block);
}

TEST_F(StandardTextures, CloneOfAGraphIsIndependentAndKeepsSharing) {
    MixTex* mix = holder.Hold(new MixTex);
    CheckerTex* shared = new CheckerTex;
    mix->SetSubTexmap(MixTex::MAP1, shared);
    mix->SetSubTexmap(MixTex::MASK, shared);
    mix->SetSubTexmap(MixTex::MAP2, new NoiseTex);
    mix->SetName("mixer");
    studio::SetAutoKey(true);
    shared->ParamBlock()->SetValue(CheckerTex::TILES, 100, 5.0f);
    studio::SetAutoKey(false);

    studio::CloneRemap remap;
    auto* copy = holder.Hold(static_cast<MixTex*>(remap.CloneTarget(mix)));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), "mixer");
    ASSERT_NE(copy->GetSubTexmap(MixTex::MAP1), nullptr);
    EXPECT_NE(copy->GetSubTexmap(MixTex::MAP1), shared);
    EXPECT_EQ(copy->GetSubTexmap(MixTex::MAP1), copy->GetSubTexmap(MixTex::MASK));
    EXPECT_NE(copy->ParamBlock(), mix->ParamBlock());
    for (TimeValue t : {0, 50, 100, 150})
        for (float u : {0.1f, 0.45f, 0.8f})
            EXPECT_EQ(ColorAt(*copy, u, 0.3f, t), ColorAt(*mix, u, 0.3f, t)) << "t=" << t << " u=" << u;

    shared->ParamBlock()->SetValue(CheckerTex::COLOR2, 0, Color(0, 0, 1));
    EXPECT_NE(ColorAt(*copy, 0.6f, 0.1f), ColorAt(*mix, 0.6f, 0.1f)) << "the copy is independent";
}

TEST_F(StandardTextures, RegistryCreatesEveryClassOnceRegistered) {
    ClassRegistry registry;
    RegisterStandardTextures(registry);
    RegisterStandardTextures(registry);
    ASSERT_EQ(registry.All().size(), 6u);
    for (ClassDesc* desc : registry.All()) {
        EXPECT_EQ(registry.Find(TEXMAP_CLASS_ID, desc->DescClassID()), desc);
        auto* tex = holder.Hold(static_cast<StandardTexmap*>(desc->CreateTexture(1)));
        EXPECT_EQ(tex->ClassID(), desc->DescClassID());
        CStr name;
        tex->FillClassName(name);
        EXPECT_EQ(name, desc->ClassNameText());
    }
    EXPECT_EQ(registry.Find(TEXMAP_CLASS_ID, Class_ID(1, 2)), nullptr);
}

class BitmapTextures : public StandardTextures {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tintora-bitmap-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               "-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        ImageBuffer image(2, 2);
        image.At(0, 0) = {1, 0, 0, 1};
        image.At(1, 0) = {0, 1, 0, 1};
        image.At(0, 1) = {0, 0, 1, 1};
        image.At(1, 1) = {1, 1, 1, 1};
        ASSERT_EQ(WriteImage(Path("tiny.png"), image), "");
    }
    void TearDown() override {
        fs::remove_all(dir);
        StandardTextures::TearDown();
    }
    std::string Path(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST_F(BitmapTextures, SamplesTheImageWithTiling) {
    BitmapTex* bitmap = holder.Hold(new BitmapTex);
    ASSERT_EQ(bitmap->SetFileName(Path("tiny.png")), "");
    EXPECT_EQ(ColorAt(*bitmap, 0.25f, 0.75f), (ColorRGBA{1, 0, 0, 1}));
    EXPECT_EQ(ColorAt(*bitmap, 0.75f, 0.25f), (ColorRGBA{1, 1, 1, 1}));
    EXPECT_EQ(ColorAt(*bitmap, 0.5f, 0.75f), (ColorRGBA{0.5f, 0.5f, 0, 1}));
    bitmap->ParamBlock()->SetValue(BitmapTex::U_TILING, 0, 2.0f);
    EXPECT_EQ(ColorAt(*bitmap, 0.125f + 0.5f, 0.75f), (ColorRGBA{1, 0, 0, 1}));
    bitmap->ParamBlock()->SetValue(BitmapTex::V_OFFSET, 0, 0.5f);
    EXPECT_EQ(ColorAt(*bitmap, 0.125f, 0.25f), (ColorRGBA{1, 0, 0, 1}));
}

TEST_F(BitmapTextures, SameFileIsReadOnceAndShared) {
    BitmapTex* a = holder.Hold(new BitmapTex);
    BitmapTex* b = holder.Hold(new BitmapTex);
    a->SetFileName(Path("tiny.png"));
    b->SetFileName(Path("tiny.png"));
    ASSERT_NE(a->Image(), nullptr);
    EXPECT_EQ(a->Image(), b->Image());
    studio::CloneRemap remap;
    auto* copy = holder.Hold(static_cast<BitmapTex*>(remap.CloneTarget(a)));
    EXPECT_EQ(copy->Image(), a->Image());
    EXPECT_EQ(copy->FileName(), a->FileName());
}

TEST_F(BitmapTextures, MissingFileIsReportedByPathAndShowsNothing) {
    BitmapTex* bitmap = holder.Hold(new BitmapTex);
    const std::string missing = Path("missing.exr");
    const std::string error = bitmap->SetFileName(missing);
    EXPECT_NE(error.find(missing), std::string::npos) << error;
    EXPECT_EQ(bitmap->ImageError(), error);
    EXPECT_EQ(bitmap->FileName(), missing);
    EXPECT_EQ(ColorAt(*bitmap, 0.5f, 0.5f), ColorRGBA{});
}

}  // namespace
