#include "tests/ui/ui_test_support.h"

#include <ostream>

#include "host/ui.h"
#include "studio/ui/dialog_builder.h"
#include "studio/ui/resource_registry.h"
#include "studio/ui/window_system.h"

namespace uitest {

HINSTANCE TestInstance() {
    static int tag;
    return reinterpret_cast<HINSTANCE>(&tag);
}

void PrepareTestModule() {
    studio::RegisterModuleResources(TestInstance(), &ModuleResources);
    InitCustomControls(TestInstance());
}

void PrintTo(const Note& note, std::ostream* out) {
    *out << "{" << note.message << ", id " << note.id << ", high " << note.high << "}";
}

std::vector<Note>& Recorded() {
    static std::vector<Note> notes;
    return notes;
}

std::vector<LPARAM>& RecordedLParams() {
    static std::vector<LPARAM> lParams;
    return lParams;
}

INT_PTR RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    Recorded().push_back({message, LOWORD(wParam), HIWORD(wParam)});
    RecordedLParams().push_back(lParam);
    return message == 272 ? 1 : 0;
}

void RollupTest::SetUp() {
    PrepareTestModule();
    dialog = studio::CreateDialogFromResources(TestInstance(), 102, nullptr, 0, 0, RecordingProc, 0);
    ASSERT_NE(dialog, nullptr) << studio::Windows().LastError();
    Recorded().clear();
    RecordedLParams().clear();
}

void RollupTest::TearDown() {
    studio::Windows().Destroy(dialog);
    studio::Windows().Pump();
    Recorded().clear();
    RecordedLParams().clear();
}

}  // namespace uitest
