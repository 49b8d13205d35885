#include "editor_fixture.h"

#include "host/resources.h"
#include "module/module_state.h"
#include "studio/core/param_block.h"
#include "studio/core/undo_stack.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/resource_registry.h"
#include "studio/ui/window_system.h"

// The generated resources of tintora.rc, linked into this test.
extern "C" const ResourceTable ModuleResources;

namespace {
int instanceAnchor;
}

void EditorTest::SetUp() {
    ModuleInstance = reinterpret_cast<HINSTANCE>(&instanceAnchor);
    studio::RegisterModuleResources(ModuleInstance, &ModuleResources);
    InitCustomControls(ModuleInstance);
    studio::TheUndoStack().Clear();
    map = NewTintora();
    dlg = static_cast<TintoraDlg*>(map->CreateEditor(host.EditorWindow(), &host));
    ASSERT_NE(dlg, nullptr);
    ASSERT_EQ(host.Rollups().size(), 2u);
}

void EditorTest::TearDown() {
    if (dlg) dlg->DeleteThis();
    studio::Windows().Pump();
    studio::Windows().SetMessageBoxProvider(nullptr);
    studio::TheUndoStack().Clear();
    studio::SetAutoKey(false);
}

HWND EditorTest::Panel() const { return host.Rollups()[1].window; }
HWND EditorTest::Control(int id) const { return GetDlgItem(Panel(), id); }

std::string EditorTest::Text(int id) const { return studio::Windows().Find(Control(id))->text; }

float EditorTest::SpinnerValue(int spinnerId) const {
    studio::SpinnerState state{};
    EXPECT_TRUE(studio::GetSpinnerState(Control(spinnerId), state)) << spinnerId;
    return state.value;
}

float EditorTest::FloatParam(int param, TimeValue t) const {
    float v = 0;
    Interval valid = WHOLE_INTERVAL;
    map->ParamBlock()->GetValue(param, t, v, valid);
    return v;
}

int EditorTest::IntParam(int param) const {
    int v = 0;
    Interval valid = WHOLE_INTERVAL;
    map->ParamBlock()->GetValue(param, 0, v, valid);
    return v;
}

Color EditorTest::ColorParam() const {
    Color v;
    Interval valid = WHOLE_INTERVAL;
    map->ParamBlock()->GetValue(PB_SOURCE_COLOR, 0, v, valid);
    return v;
}

std::vector<std::string> EditorTest::UndoNames() const { return studio::TheUndoStack().UndoNames(); }

int EditorTest::Pump() const { return studio::Windows().Pump(); }
