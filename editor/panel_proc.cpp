#include "editor/controls.h"
#include "editor/tintora_dlg.h"
#include "host/hold.h"
#include "texture/color_pipeline.h"
#include "texture/tintora_map.h"

namespace {

constexpr UINT CB_ADDSTRING = 323;
constexpr UINT CB_GETCURSEL = 327;
constexpr UINT CB_SETCURSEL = 334;
constexpr int CBN_SELCHANGE = 1;
constexpr int IDYES = 6;

// Spinner limits: the nearest single-precision values to ±1e30.
constexpr float kSpinnerLow = -1.0e30f;
constexpr float kSpinnerHigh = 1.0e30f;
constexpr float kSpinnerStep = 0.1f;

struct ControlParam {
    int id;
    int param;
};
constexpr ControlParam checkBoxes[] = {
    {IDC_INVERT, PB_INVERT}, {IDC_MONO, PB_MONO}, {IDC_COLORIZE, PB_COLORIZE}};
constexpr ControlParam channelLists[] = {
    {IDC_R_SOURCE, PB_R_SOURCE}, {IDC_G_SOURCE, PB_G_SOURCE}, {IDC_B_SOURCE, PB_B_SOURCE}};

constexpr const char* kResetText =
    "All the settings will be reset to defaults and \n"
    "all the sub-textures (Except the Source texture) will be removed.\n"
    "Is this OK?";

}  // namespace

INT_PTR TintoraDlg::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case 15:  // paint: reload the controls when the texture marked them stale
        if (!valid) {
            valid = 1;
            Reload();
        }
        return 0;
    case 272:  // the rollup was created
        SetupControls(window);
        return 1;
    case 273:
        Command(window, int(LOWORD(wParam)), int(HIWORD(wParam)));
        return 0;
    case 512:
    case 513:
    case 514:
        params->PassMouseMessage(window, message, wParam, lParam);
        return 0;
    case 1624:  // spinner value changed
        SpinnerChanged(int(LOWORD(wParam)));
        return 0;
    case 1625:  // spinner pressed
        theHold.Begin();
        return 0;
    case 1626:  // spinner released
    case 1709:  // typing into a spinner's edit ended
        if (HIWORD(wParam) || message == 1709)
            theHold.Accept("Parameter Change");
        else
            theHold.Cancel();
        map->NotifyChanged();
        params->MapChanged();
        return 0;
    case 1627:  // swatch colour changed
        SwatchChanged(int(HIWORD(wParam)));
        return 0;
    case 1630:  // swatch interaction begins
        theHold.Begin();
        return 0;
    case 1631:  // swatch interaction ends
        if (HIWORD(wParam))
            theHold.Accept("Color Change");
        else
            theHold.Cancel();
        return 0;
    default:
        return 0;
    }
}

// Binds the swatch and the sixteen spinners and fills the channel lists. The
// controls show start values until the first Refresh, which follows at once.
void TintoraDlg::SetupControls(HWND window) {
    const CStr title = map->GetSubTexmapSlotName(MAP_SOURCE);
    const Color& s = map->Cache().sourceColor;
    sourceSwatch = GetIColorSwatch(GetDlgItem(window, IDC_SOURCE_SWATCH),
                                   tintora::PackColor(s.r, s.g, s.b), title.data());

    for (const SpinnerBinding& b : spinnerBindings) {
        this->*b.field = SetupFloatSpinner(window, b.spinnerId, b.editId, kSpinnerLow,
                                           kSpinnerHigh, b.initialValue, kSpinnerStep);
    }

    for (const ControlParam& list : channelLists) {
        for (const char* item : {"Red", "Green", "Blue"})
            SendDlgItemMessageA(window, list.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    for (int channel = 0; channel < 3; ++channel)
        SendDlgItemMessageA(window, channelLists[channel].id, CB_SETCURSEL, WPARAM(channel), 0);
}

void TintoraDlg::Command(HWND window, int id, int code) {
    for (int slot = 0; slot < TINTORA_NUM_SLOTS; ++slot) {
        if (id == slotButtonIds[slot]) {
            PostMessageA(editorWindow, 17410, WPARAM(slot), reinterpret_cast<LPARAM>(map));
            return;
        }
    }
    for (const ControlParam& box : checkBoxes) {
        if (id == box.id) {
            const int checked = int(IsDlgButtonChecked(window, id));
            map->ParamBlock()->SetValue(box.param, params->CurrentTime(), checked);
            map->NotifyChanged();
            return;
        }
    }
    for (const ControlParam& list : channelLists) {
        if (id == list.id) {
            if (code != CBN_SELCHANGE) return;
            const auto index = int(SendDlgItemMessageA(window, id, CB_GETCURSEL, 0, 0));
            map->ParamBlock()->SetValue(list.param, params->CurrentTime(), index);
            map->NotifyChanged();
            return;
        }
    }
    if (id == IDC_RESET) ResetCommand(window);
}

// Every change writes at once, so a drag writes the parameter at each step.
// The step opened here stays open until the release or commit closes it.
void TintoraDlg::SpinnerChanged(int spinnerId) {
    if (!theHold.Holding()) theHold.Begin();
    for (const SpinnerBinding& b : spinnerBindings) {
        ISpinnerControl* spinner = this->*b.field;
        if (b.spinnerId != spinnerId || !spinner) continue;
        map->ParamBlock()->SetValue(b.param, params->CurrentTime(), spinner->GetFloat());
        if (b.mirror && this->*b.mirror) (this->*b.mirror)->SetFloat(spinner->GetFloat(), 0);
        break;
    }
    map->NotifyChanged();
}

// A change complete in itself is its own undo step; the steps of a live
// colour choice only write, inside the hold that 1630 opened.
void TintoraDlg::SwatchChanged(int complete) {
    if (!sourceSwatch) return;
    if (complete) theHold.Begin();
    const Color color(sourceSwatch->GetSwatchColor());
    map->ParamBlock()->SetValue(PB_SOURCE_COLOR, curTime, color);
    if (complete) {
        theHold.Accept("Color Change");
        map->NotifyChanged();
    }
}

// The reset is not an undo step. The editor refreshes itself, since it does
// not mark itself stale while it handles a message.
void TintoraDlg::ResetCommand(HWND window) {
    if (MessageBoxA(window, kResetText, "Are you sure?", 0x34) != IDYES) return;
    map->ResetToDefaults();
    Refresh();
    map->NotifyChanged();
}
