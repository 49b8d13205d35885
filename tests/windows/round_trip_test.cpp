// Saving and loading a texture of the Windows module through the host
// library's streams and scene files, and loading the module through the
// studio's own module registry.

#include <gtest/gtest.h>

#include "studio/core/module_loader.h"
#include "studio/core/streams.h"
#include "studio/scene/scene.h"
#include "texture/param_table.h"
#include "texture/tintora_class.h"
#include "tests/windows/windows_module.h"

namespace windows_test {
namespace {

constexpr USHORT kObjectChunk = 0x0100;

TEST(WindowsRoundTrip, TextureDataThroughMemoryStreams) {
    const LoadedModule module;
    ClassDesc* desc = module.Descriptor();
    ASSERT_NE(desc, nullptr);
    const ObjectPtr original(desc->CreateTexture(0));
    auto* map = dynamic_cast<Texmap*>(original.get());
    ASSERT_NE(map, nullptr);
    map->SetName("Under Wine");

    studio::MemorySave save;
    save.StartChunk(kObjectChunk);
    ASSERT_EQ(map->Save(&save), IO_OK);
    save.FinishChunk();
    ASSERT_TRUE(save.Good());
    ASSERT_EQ(save.OpenChunks(), 0u);

    const ObjectPtr copy(desc->CreateTexture(1));
    auto* loaded = dynamic_cast<Texmap*>(copy.get());
    ASSERT_NE(loaded, nullptr);
    studio::MemoryLoad load(save.Data());
    ASSERT_EQ(load.EnterChunk(), IO_OK);
    EXPECT_EQ(load.ChunkId(), kObjectChunk);
    EXPECT_EQ(loaded->Load(&load), IO_OK);
    EXPECT_EQ(load.LeaveChunk(), IO_OK);
    EXPECT_EQ(load.EnterChunk(), IO_END);
    EXPECT_EQ(loaded->GetName(), "Under Wine");
}

TEST(WindowsRoundTrip, WholeTextureThroughASceneInMemory) {
    const LoadedModule module;
    ClassDesc* desc = module.Descriptor();
    ASSERT_NE(desc, nullptr);
    ClassRegistry classes;
    classes.Add(desc);

    studio::MemorySave save;
    {
        Scene scene;
        auto* map = dynamic_cast<Texmap*>(desc->CreateTexture(0));
        ASSERT_NE(map, nullptr);
        scene.AddRoot(map);
        auto* params = dynamic_cast<IParamBlock*>(map->GetReference(0));
        ASSERT_NE(params, nullptr);
        params->SetValue(PB_SOURCE_COLOR, 0, Color(1, 1, 1));
        params->SetValue(PB_INVERT, 0, 1);
        ASSERT_EQ(scene.SaveTo(save), "");
    }

    const SceneLoadResult result = Scene::LoadFromMemory(save.Data(), "scene in memory", classes);
    ASSERT_TRUE(result) << result.error;
    EXPECT_TRUE(result.warnings.empty());
    ASSERT_EQ(result.scene->RootCount(), 1);
    Texmap* loaded = result.scene->RootTexmap(0);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->ClassID(), TINTORA_CLASS_ID);
    const ColorRGBA got = UpdateAndEvaluate(*loaded);
    EXPECT_EQ(got.r, -0.00390625f);
    EXPECT_EQ(got.g, -0.00390625f);
    EXPECT_EQ(got.b, -0.00390625f);
    EXPECT_EQ(got.a, 1.0f);
}

TEST(WindowsModuleRegistry, LoadsTheModuleThroughTheSystemLoader) {
    studio::ModuleRegistry registry;
    EXPECT_TRUE(registry.LoadModule(kModuleFile).empty());
    ASSERT_EQ(registry.Modules().size(), 1u);
    const studio::LoadedModule& loaded = *registry.Modules().front();
    EXPECT_EQ(loaded.description, "Tintora by Varlen");
    EXPECT_EQ(loaded.version, 100u);
    ASSERT_EQ(loaded.classes.size(), 1u);
    EXPECT_EQ(registry.FindClass(TINTORA_CLASS_ID), loaded.classes.front());
    EXPECT_EQ(studio::FindModule(loaded.Instance()), &loaded);

    const std::vector<std::string> again = registry.LoadModule(kModuleFile);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_NE(again.front().find("already loaded"), std::string::npos) << again.front();
    const std::vector<std::string> missing = registry.LoadModule("NOWHERE.dlm");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_NE(missing.front().find("NOWHERE.dlm"), std::string::npos) << missing.front();
}

}  // namespace
}  // namespace windows_test
