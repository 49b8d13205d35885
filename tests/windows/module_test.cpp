// TINTORA.dlm under the Windows loader: its exports by ordinal and by name,
// their answers, and textures made through its class descriptor.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/param_block.h"
#include "texture/param_table.h"
#include "texture/tintora_class.h"
#include "tests/windows/windows_module.h"

namespace windows_test {
namespace {

struct ExportCase {
    unsigned ordinal;
    const char* name;
};

constexpr ExportCase kExports[] = {
    {1, "LibDescription"}, {2, "LibNumberClasses"}, {3, "LibClassDesc"}, {4, "LibVersion"}};

TEST(WindowsModule, LoadsBesideTheProgram) {
    const LoadedModule module;
    ASSERT_NE(module.Library(), nullptr) << kModuleFile << " did not load";
}

TEST(WindowsModule, ExportsStandAtTheirOrdinalsUnderPlainNames) {
    const LoadedModule module;
    ASSERT_NE(module.Library(), nullptr);
    for (const ExportCase& e : kExports) {
        void* byOrdinal = module.ByOrdinal<void*>(e.ordinal);
        EXPECT_NE(byOrdinal, nullptr) << "ordinal " << e.ordinal;
        EXPECT_EQ(byOrdinal, module.ByName<void*>(e.name)) << e.name;
    }
    // The entry point is the system's business, and no other ordinal exists.
    EXPECT_EQ(module.ByName<void*>("DllMain"), nullptr);
    EXPECT_EQ(module.ByName<void*>("DllMain@12"), nullptr);
    EXPECT_EQ(module.ByOrdinal<void*>(5), nullptr);
}

TEST(WindowsModule, ExportsAnswerThroughTheirOrdinals) {
    const LoadedModule module;
    ASSERT_NE(module.Library(), nullptr);
    const auto description = module.ByOrdinal<LibDescriptionFn>(1);
    const auto numberClasses = module.ByOrdinal<LibNumberClassesFn>(2);
    const auto classDesc = module.ByOrdinal<LibClassDescFn>(3);
    const auto version = module.ByOrdinal<LibVersionFn>(4);
    ASSERT_TRUE(description && numberClasses && classDesc && version);
    EXPECT_STREQ(description(), "Tintora by Varlen");
    EXPECT_EQ(numberClasses(), 1);
    EXPECT_NE(classDesc(0), nullptr);
    EXPECT_EQ(classDesc(1), nullptr);
    EXPECT_EQ(classDesc(-1), nullptr);
    EXPECT_EQ(version(), 100u);
}

TEST(WindowsModule, DescriptorDescribesTheTexture) {
    const LoadedModule module;
    ClassDesc* desc = module.Descriptor();
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->PublicFlag(), 1);
    EXPECT_STREQ(desc->ClassNameText(), "Tintora");
    EXPECT_EQ(desc->SuperClassCode(), TEXMAP_CLASS_ID);
    EXPECT_EQ(desc->DescClassID(), TINTORA_CLASS_ID);
    // The category text lives in the host library; the module hands it on.
    EXPECT_EQ(desc->CategoryText(), TEXMAP_CAT_COLMOD);
}

struct ColorCase {
    const char* name;
    Color source;  ///< unset (negative red): the default source colour
    int invert;
    ColorRGBA expected;
};

constexpr float k255 = 0.99609375f;  // 255 / 256

class WindowsColorCases : public testing::TestWithParam<ColorCase> {};

TEST_P(WindowsColorCases, TextureFromTheDescriptorEvaluates) {
    const ColorCase& c = GetParam();
    const LoadedModule module;
    ClassDesc* desc = module.Descriptor();
    ASSERT_NE(desc, nullptr);
    const ObjectPtr object(desc->CreateTexture(0));
    auto* map = dynamic_cast<Texmap*>(object.get());
    ASSERT_NE(map, nullptr);
    auto* params = dynamic_cast<IParamBlock*>(map->GetReference(0));
    ASSERT_NE(params, nullptr);
    if (c.source.r >= 0) {
        EXPECT_TRUE(params->SetValue(PB_SOURCE_COLOR, 0, c.source));
    }
    EXPECT_TRUE(params->SetValue(PB_INVERT, 0, c.invert));

    const ColorRGBA got = UpdateAndEvaluate(*map);
    EXPECT_EQ(got.r, c.expected.r);
    EXPECT_EQ(got.g, c.expected.g);
    EXPECT_EQ(got.b, c.expected.b);
    EXPECT_EQ(got.a, c.expected.a);
}

INSTANTIATE_TEST_SUITE_P(
    Pipeline, WindowsColorCases,
    testing::Values(ColorCase{"Default", Color(-1, 0, 0), 0, {k255, 0, 0, 1}},
                    ColorCase{"White", Color(1, 1, 1), 0, {k255, k255, k255, 1}},
                    ColorCase{"InvertWhite", Color(1, 1, 1), 1,
                              {-0.00390625f, -0.00390625f, -0.00390625f, 1}}),
    [](const testing::TestParamInfo<ColorCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace windows_test
