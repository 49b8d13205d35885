#include "editor/tintora_dlg.h"

#include "editor/controls.h"
#include "host/assert.h"
#include "module/module_state.h"
#include "texture/tintora_class.h"
#include "texture/tintora_map.h"

const TintoraDlg::SpinnerBinding TintoraDlg::spinnerBindings[16] = {
    {&TintoraDlg::basicHueSpin, 1026, 1025, 0.0f, PB_HUE_OFFSET, &TintoraDlg::hueOffsetSpin},
    {&TintoraDlg::basicSatSpin, 1028, 1027, 100.0f, PB_SAT_GAIN, &TintoraDlg::satGainSpin},
    {&TintoraDlg::brightnessSpin, 1030, 1029, 0.0f, PB_BRIGHTNESS, nullptr},
    {&TintoraDlg::contrastSpin, 1064, 1054, 100.0f, PB_CONTRAST, nullptr},
    {&TintoraDlg::hueOffsetSpin, 1057, 1056, 0.0f, PB_HUE_OFFSET, &TintoraDlg::basicHueSpin},
    {&TintoraDlg::satOffsetSpin, 1059, 1058, 0.0f, PB_SAT_OFFSET, nullptr},
    {&TintoraDlg::valOffsetSpin, 1061, 1060, 0.0f, PB_VAL_OFFSET, nullptr},
    {&TintoraDlg::hueGainSpin, 1018, 1017, 0.0f, PB_HUE_GAIN, nullptr},
    {&TintoraDlg::satGainSpin, 1020, 1019, 100.0f, PB_SAT_GAIN, &TintoraDlg::basicSatSpin},
    {&TintoraDlg::valGainSpin, 1022, 1021, 100.0f, PB_VAL_GAIN, nullptr},
    {&TintoraDlg::rOffsetSpin, 1037, 1036, 0.0f, PB_R_OFFSET, nullptr},
    {&TintoraDlg::gOffsetSpin, 1043, 1042, 0.0f, PB_G_OFFSET, nullptr},
    {&TintoraDlg::bOffsetSpin, 1049, 1048, 0.0f, PB_B_OFFSET, nullptr},
    {&TintoraDlg::rGainSpin, 1040, 1039, 100.0f, PB_R_GAIN, nullptr},
    {&TintoraDlg::gGainSpin, 1046, 1045, 100.0f, PB_G_GAIN, nullptr},
    {&TintoraDlg::bGainSpin, 1052, 1051, 100.0f, PB_B_GAIN, nullptr},
};

// `map` is stored before the rollups exist, since the parameter rollup's
// setup reads the texture; the time is asked for only afterwards.
TintoraDlg::TintoraDlg(HWND editorWnd, IMtlEditorHost* host, TintoraMap* texture)
    : editorWindow(editorWnd), params(host), map(texture) {
    const auto self = reinterpret_cast<LPARAM>(this);
    aboutPanel = params->AddRollup(ModuleInstance, IDD_TINTORA_ABOUT, nullptr, "About Tintora",
                                   self, 1);
    paramPanel = params->AddRollup(ModuleInstance, IDD_TINTORA_PARAMS, PanelThunk,
                                   "Tintora Parameters", self, 0);
    curTime = params->CurrentTime();
}

// The rollups stay with the host; later messages to the parameter rollup
// find no editor in its user data.
TintoraDlg::~TintoraDlg() {
    if (map) map->editor = nullptr;
    SetWindowLongA(paramPanel, GWLP_USERDATA, 0);
    for (const SpinnerBinding& b : spinnerBindings) {
        if (this->*b.field) ReleaseISpinner(this->*b.field);
        this->*b.field = nullptr;
    }
}

INT_PTR TintoraDlg::PanelThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dlg = reinterpret_cast<TintoraDlg*>(GetWindowLongA(window, GWLP_USERDATA));
    if (message == 272) {
        dlg = reinterpret_cast<TintoraDlg*>(lParam);
        dlg->paramPanel = window;
        SetWindowLongA(window, GWLP_USERDATA, lParam);
    }
    if (!dlg) return 0;
    dlg->inHandler = 1;
    const INT_PTR result = dlg->PanelProc(window, message, wParam, lParam);
    dlg->inHandler = 0;
    return result;
}

Class_ID TintoraDlg::ClassID() { return TINTORA_CLASS_ID; }

// A texture of another class is reported and not attached: the editor would
// otherwise treat it as a TintoraMap.
void TintoraDlg::SetEditedMap(ReferenceTarget* texture) {
    bool isTintora = true;
    if (!(texture->ClassID() == TINTORA_CLASS_ID)) {
        assert1(669, "Tintora");
        isTintora = false;
    }
    if (texture->SuperClassCode() != TEXMAP_CLASS_ID) {
        assert1(670, "Tintora");
        isTintora = false;
    }
    if (!isTintora) return;
    if (map) map->editor = nullptr;
    map = static_cast<TintoraMap*>(texture);
    map->editor = this;
    Refresh();
}

ReferenceTarget* TintoraDlg::GetEditedMap() { return map; }

void TintoraDlg::ChangeTime(TimeValue t) {
    if (t == curTime) return;
    curTime = t;
    Interval scratch = EMPTY_INTERVAL;
    map->Update(curTime, scratch);
    Refresh();
    InvalidateRect(paramPanel, nullptr, 0);
}

void TintoraDlg::Reload() {
    Interval scratch = EMPTY_INTERVAL;
    map->Update(curTime, scratch);
    Refresh();
}

void TintoraDlg::DeleteThis() { delete this; }

void TintoraDlg::Activate(BOOL on) {
    if (sourceSwatch) sourceSwatch->ActivateSwatch(on);
}

void TintoraDlg::TextureChanged() {
    if (inHandler) return;
    valid = 0;
    InvalidateRect(paramPanel, nullptr, 0);
}

ParamEditor* TintoraMap::CreateEditor(HWND editorWindow, IMtlEditorHost* params) {
    auto* dlg = new TintoraDlg(editorWindow, params, this);
    dlg->Refresh();
    editor = dlg;
    return dlg;
}
