// The Windows dialog functions that modules call, over the window layer.

#include "host/win32.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/messages.h"
#include "studio/ui/window_system.h"

namespace {

using studio::Windows;

constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;

int commonControlsInitCount = 0;

}  // namespace

namespace studio {
int CommonControlsInitCount() { return commonControlsInitCount; }
}  // namespace studio

LONG_PTR GetWindowLongA(HWND window, int index) {
    const studio::Window* w = Windows().Find(window);
    if (!w) return 0;
    switch (index) {
    case GWLP_USERDATA: return w->userData;
    case GWL_ID: return w->id;
    case GWL_STYLE: return LONG_PTR(w->style);
    default: return 0;
    }
}

LONG_PTR SetWindowLongA(HWND window, int index, LONG_PTR value) {
    studio::Window* w = Windows().Find(window);
    if (!w) return 0;
    LONG_PTR previous = 0;
    switch (index) {
    case GWLP_USERDATA:
        previous = w->userData;
        w->userData = value;
        break;
    case GWL_ID:
        previous = w->id;
        w->id = int(value);
        break;
    case GWL_STYLE:
        previous = LONG_PTR(w->style);
        w->style = DWORD(value);
        break;
    default:
        break;
    }
    return previous;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) { return Windows().Invalidate(window) ? 1 : 0; }

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND button = Windows().Child(dialog, id);
    if (!button) return 0;
    Windows().Send(button, studio::msg::ButtonSetCheck, check, 0);
    return 1;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return UINT(Windows().Send(Windows().Child(dialog, id), studio::msg::ButtonGetCheck, 0, 0));
}

BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) {
    const HWND item = Windows().Child(dialog, id);
    if (!item) return 0;
    return BOOL(Windows().Send(item, studio::msg::SetText, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

HWND GetDlgItem(HWND dialog, int id) { return Windows().Child(dialog, id); }

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return Windows().Send(Windows().Child(dialog, id), message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Windows().Post(window, message, wParam, lParam) ? 1 : 0;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return Windows().ShowMessageBox(owner, text ? text : "", caption ? caption : "", type);
}

void InitCommonControls() { ++commonControlsInitCount; }
