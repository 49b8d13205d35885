#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/mtl_base.h"
#include "studio/core/module_loader.h"

namespace {

using studio::ModuleRegistry;

constexpr Class_ID kFixtureClass(0x7E57C0DE, 0x00000001);
const std::string kFolder = CORE_FIXTURE_DIR;

using EntryStateFn = void (*)(int*, HINSTANCE*, DWORD*);
using WatchFn = void (*)(int*);

bool Mentions(const std::vector<std::string>& messages, const std::string& file,
              const std::string& what) {
    for (const std::string& m : messages)
        if (m.find(file) != std::string::npos && m.find(what) != std::string::npos)
            return true;
    return false;
}

TEST(ModuleLoader, LoadsTheGoodModuleAndRefusesTheRestByName) {
    ModuleRegistry registry;
    const std::vector<std::string> messages = registry.LoadFolder(kFolder);
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_TRUE(Mentions(messages, "text.dlm", "not a loadable module"));
    EXPECT_TRUE(Mentions(messages, "no_version.dlm", "LibVersion"));
    EXPECT_TRUE(Mentions(messages, "no_entry.dlm", "DllMain"));
    EXPECT_TRUE(Mentions(messages, "refuses.dlm", "refused to start"));
    EXPECT_FALSE(Mentions(messages, "good.dlm", ""));

    ASSERT_EQ(registry.Modules().size(), 1u);
    const studio::LoadedModule& module = *registry.Modules()[0];
    EXPECT_EQ(module.description, "Core test module");
    EXPECT_EQ(module.version, 100u);
    ASSERT_EQ(registry.Classes().size(), 1u);
    ClassDesc* desc = registry.FindClass(kFixtureClass);
    ASSERT_NE(desc, nullptr);
    EXPECT_STREQ(desc->CategoryText(), TEXMAP_CAT_COLMOD);
    EXPECT_EQ(registry.FindClass(Class_ID(1, 2)), nullptr);

    ReferenceTarget* made = registry.Create(kFixtureClass);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassID(), kFixtureClass);
    EXPECT_EQ(static_cast<MtlBase*>(made)->GetFullName(), "Fixture");
    made->DeleteThis();
    EXPECT_EQ(registry.Create(Class_ID(1, 2)), nullptr);
}

TEST(ModuleLoader, EntryPointGetsTheStudiosHandleAtAttachAndDetach) {
    int detached = 0;
    {
        ModuleRegistry registry;
        ASSERT_TRUE(registry.LoadModule(kFolder + "/good.dlm").empty());
        const studio::LoadedModule& module = *registry.Modules()[0];
        const HINSTANCE instance = module.Instance();
        EXPECT_EQ(studio::FindModule(instance), &module);
        EXPECT_EQ(studio::FindModule(nullptr), nullptr);

        auto state = reinterpret_cast<EntryStateFn>(studio::ModuleSymbol(instance, "FixtureEntryState"));
        ASSERT_NE(state, nullptr);
        int calls = 0;
        HINSTANCE seen = nullptr;
        DWORD reason = 99;
        state(&calls, &seen, &reason);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(seen, instance);
        EXPECT_EQ(reason, 1u);
        EXPECT_EQ(studio::ModuleSymbol(instance, "NoSuchExport"), nullptr);

        auto watch = reinterpret_cast<WatchFn>(studio::ModuleSymbol(instance, "FixtureWatchDetach"));
        ASSERT_NE(watch, nullptr);
        watch(&detached);
    }
    EXPECT_EQ(detached, 1);  // detached once, before it was unloaded
}

TEST(ModuleLoader, MissingFolderAndRepeatedLoadsAreReported) {
    ModuleRegistry registry;
    const auto missing = registry.LoadFolder(kFolder + "/nowhere");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_NE(missing[0].find("nowhere"), std::string::npos);
    EXPECT_TRUE(registry.Modules().empty());

    EXPECT_TRUE(registry.LoadModule(kFolder + "/good.dlm").empty());
    // The same file again is the same library: not attached a second time.
    const auto again = registry.LoadModule(kFolder + "/./good.dlm");
    EXPECT_TRUE(Mentions(again, "good.dlm", "already loaded"));
    EXPECT_EQ(registry.Modules().size(), 1u);
    int calls = 0;
    HINSTANCE seen = nullptr;
    DWORD reason = 0;
    auto state = reinterpret_cast<EntryStateFn>(
        studio::ModuleSymbol(registry.Modules()[0]->Instance(), "FixtureEntryState"));
    ASSERT_NE(state, nullptr);
    state(&calls, &seen, &reason);
    EXPECT_EQ(calls, 1);
}

TEST(ModuleLoader, PluginFolderComesFromTheEnvironment) {
    const char* before = std::getenv("TINTORA_PLUGIN_PATH");
    const std::string saved = before ? before : "";
    setenv("TINTORA_PLUGIN_PATH", "/opt/tintora/plugins", 1);
    EXPECT_EQ(studio::DefaultPluginFolder(), "/opt/tintora/plugins");
    setenv("TINTORA_PLUGIN_PATH", "", 1);
    EXPECT_EQ(studio::DefaultPluginFolder(), "plugins");
    if (before)
        setenv("TINTORA_PLUGIN_PATH", saved.c_str(), 1);
    else
        unsetenv("TINTORA_PLUGIN_PATH");
}

}  // namespace
