// The built module exports the resources of tintora.rc under
// MODULE_RESOURCES_SYMBOL, identical to what the tests compile in.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "host/resources.h"
#include "host/ui.h"
#include "studio/core/module_loader.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/material_editor_host.h"
#include "studio/ui/resource_registry.h"
#include "studio/ui/window_system.h"
#include "tests/ui/ui_test_support.h"

namespace {

void ExpectSameDialog(const ResourceDialog& a, const ResourceDialog& b) {
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
    EXPECT_STREQ(a.fontName, b.fontName);
    ASSERT_EQ(a.controlCount, b.controlCount);
    for (int i = 0; i < a.controlCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.controls[i].id, b.controls[i].id);
        EXPECT_STREQ(a.controls[i].className, b.controls[i].className);
        EXPECT_EQ(a.controls[i].style, b.controls[i].style);
        EXPECT_EQ(a.controls[i].x, b.controls[i].x);
        EXPECT_EQ(a.controls[i].y, b.controls[i].y);
        EXPECT_STREQ(a.controls[i].text, b.controls[i].text);
        EXPECT_EQ(a.controls[i].imageId, b.controls[i].imageId);
    }
}

TEST(ModuleResourcesTest, ModuleExportsTheSameTemplatesAndImages) {
    const char* folder = std::getenv("TINTORA_PLUGIN_PATH");
    ASSERT_NE(folder, nullptr);
    const std::string path = std::string(folder) + "/TINTORA.dlm";
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto* table = static_cast<const ResourceTable*>(dlsym(module, MODULE_RESOURCES_SYMBOL));
    ASSERT_NE(table, nullptr) << dlerror();
    ASSERT_NE(table, &ModuleResources);  // the module's own copy, not ours
    EXPECT_EQ(table->version, MODULE_RESOURCES_VERSION);
    ASSERT_EQ(table->dialogCount, ModuleResources.dialogCount);
    for (int i = 0; i < table->dialogCount; ++i) ExpectSameDialog(table->dialogs[i], ModuleResources.dialogs[i]);
    ASSERT_EQ(table->imageCount, ModuleResources.imageCount);
    for (int i = 0; i < table->imageCount; ++i) {
        EXPECT_EQ(table->images[i].id, ModuleResources.images[i].id);
        ASSERT_EQ(table->images[i].size, ModuleResources.images[i].size);
        EXPECT_EQ(std::memcmp(table->images[i].bytes, ModuleResources.images[i].bytes, table->images[i].size), 0);
    }
    dlclose(module);
}

}  // namespace

namespace {

TEST(ModuleResourcesTest, LoadedModuleRollupsAreBuiltThroughItsInstanceHandle) {
    studio::ModuleRegistry registry;
    const int customBefore = studio::CustomControlsInitCount();
    const auto problems = registry.LoadModule(std::string(std::getenv("TINTORA_PLUGIN_PATH")) + "/TINTORA.dlm");
    ASSERT_TRUE(problems.empty()) << problems.front();
    ASSERT_EQ(registry.Modules().size(), 1u);
    EXPECT_EQ(studio::CustomControlsInitCount(), customBefore + 1);  // the entry point registered the controls
    const HINSTANCE instance = registry.Modules()[0]->Instance();
    const ResourceDialog* tmpl = studio::FindDialogTemplate(instance, 102);
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(tmpl->controlCount, 68);
    ASSERT_NE(studio::FindImage(instance, 109), nullptr);

    studio::MaterialEditorHost host;
    const HWND rollup = host.AddRollup(instance, 102, uitest::RecordingProc, "Tintora Parameters", 7, 0);
    ASSERT_NE(rollup, nullptr) << studio::Windows().LastError();
    EXPECT_EQ(studio::Windows().Find(rollup)->children.size(), 68u);
    ISpinnerControl* spinner = SetupFloatSpinner(rollup, 1026, 1025, 0.0f, 1.0f, 0.5f, 0.1f);
    EXPECT_NE(spinner, nullptr);
    ReleaseISpinner(spinner);
}

}  // namespace
