// TINTORA.dlm loaded by the studio's module loader: its exports, its entry
// point and the class descriptor, seen only through the host's interfaces.

#include <gtest/gtest.h>

#include <cstring>

#include "host/mtl_base.h"
#include "host/param_block.h"
#include "studio/core/module_loader.h"
#include "studio/ui/custom_controls.h"

namespace {

const Class_ID kTintora(0x57EE53DC, 0x134F5A34);

class LoadedModule : public testing::Test {
protected:
    static void SetUpTestSuite() {
        controlsBefore = studio::CustomControlsInitCount();
        commonBefore = studio::CommonControlsInitCount();
        registry = new studio::ModuleRegistry();
        const auto errors = registry->LoadModule(studio::DefaultPluginFolder() + "/TINTORA.dlm");
        ASSERT_TRUE(errors.empty()) << errors.front();
    }
    static void TearDownTestSuite() { delete registry; }

    static const studio::LoadedModule& Module() { return *registry->Modules().front(); }
    template <typename Fn>
    static Fn Export(const char* name) {
        return reinterpret_cast<Fn>(studio::ModuleSymbol(Module().Instance(), name));
    }

    static studio::ModuleRegistry* registry;
    static int controlsBefore, commonBefore;
};
studio::ModuleRegistry* LoadedModule::registry = nullptr;
int LoadedModule::controlsBefore = 0;
int LoadedModule::commonBefore = 0;

TEST_F(LoadedModule, ExportsAnswerTheirConstants) {
    auto description = Export<LibDescriptionFn>("LibDescription");
    auto numberClasses = Export<LibNumberClassesFn>("LibNumberClasses");
    auto classDesc = Export<LibClassDescFn>("LibClassDesc");
    auto version = Export<LibVersionFn>("LibVersion");
    ASSERT_TRUE(description && numberClasses && classDesc && version);
    EXPECT_STREQ(description(), "Tintora by Varlen");
    EXPECT_EQ(numberClasses(), 1);
    EXPECT_EQ(version(), 100u);
    EXPECT_NE(classDesc(0), nullptr);
    EXPECT_EQ(classDesc(0), classDesc(0));
    EXPECT_EQ(classDesc(1), nullptr);
    EXPECT_EQ(classDesc(-1), nullptr);
    EXPECT_EQ(Module().description, "Tintora by Varlen");
    EXPECT_EQ(Module().version, 100u);
}

// Attach ran the one-time initialisation; later calls of the entry point,
// whatever their reason, only store the handle and answer 1.
TEST_F(LoadedModule, EntryPointInitialisesControlsOnce) {
    EXPECT_EQ(studio::CustomControlsInitCount(), controlsBefore + 1);
    EXPECT_EQ(studio::CommonControlsInitCount(), commonBefore + 1);
    auto entry = Export<DllEntryFn>("DllMain");
    ASSERT_NE(entry, nullptr);
    for (DWORD reason : {2u, 3u, 1u}) EXPECT_EQ(entry(Module().Instance(), reason, nullptr), 1);
    EXPECT_EQ(studio::CustomControlsInitCount(), controlsBefore + 1);
    EXPECT_EQ(studio::CommonControlsInitCount(), commonBefore + 1);
}

TEST_F(LoadedModule, DescriptorAnswers) {
    ClassDesc* desc = registry->FindClass(kTintora);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->PublicFlag(), 1);
    EXPECT_STREQ(desc->ClassNameText(), "Tintora");
    EXPECT_EQ(desc->SuperClassCode(), 3088u);
    EXPECT_EQ(desc->DescClassID(), kTintora);
    EXPECT_EQ(desc->CategoryText(), TEXMAP_CAT_COLMOD) << "the host's own text, passed through";
    EXPECT_EQ(desc->BeginCreate(nullptr), 0);
    EXPECT_EQ(desc->EndCreate(nullptr), 0);
    EXPECT_EQ(desc->OkToCreate(nullptr), 1);
    EXPECT_EQ(desc->HasClassParams(), 0);
    EXPECT_EQ(desc->NumActionTables(), 0);
}

float FloatAt(IParamBlock* pb, int i) {
    float v = 0;
    Interval valid = WHOLE_INTERVAL;
    pb->GetValue(i, 0, v, valid);
    return v;
}

// Textures made with either flag start from the same defaults, and answer
// their class like the descriptor does.
TEST_F(LoadedModule, CreatedTexturesAreAlike) {
    ClassDesc* desc = registry->FindClass(kTintora);
    auto* a = dynamic_cast<Texmap*>(desc->CreateTexture(0));
    auto* b = dynamic_cast<Texmap*>(desc->CreateTexture(1));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->ClassID(), desc->DescClassID());
    EXPECT_EQ(a->SuperClassCode(), 3088u);
    CStr name;
    a->FillClassName(name);
    EXPECT_EQ(name, "Tintora");
    auto* pa = dynamic_cast<IParamBlock*>(a->GetReference(0));
    auto* pb = dynamic_cast<IParamBlock*>(b->GetReference(0));
    ASSERT_TRUE(pa && pb);
    for (int i = 0; i < 14; ++i) EXPECT_EQ(FloatAt(pa, i), FloatAt(pb, i)) << i;
    EXPECT_EQ(FloatAt(pa, 1), 100.0f);

    struct Sample : ShadingContext {
        TimeValue CurTime() const override { return 0; }
        Point2 UV() const override { return {}; }
        Vector3 P() const override { return {}; }
        void SetShadeTag(int) override {}
    } sc;
    Interval valid = WHOLE_INTERVAL;
    a->Update(0, valid);
    const ColorRGBA c = a->EvaluateColor(sc);
    EXPECT_EQ(c.r, 0.99609375f);
    EXPECT_EQ(c.g, 0.0f);
    EXPECT_EQ(c.a, 1.0f);
    a->DeleteThis();
    b->DeleteThis();
}

}  // namespace
