// The colour swatch: state, the IColorSwatch the module holds, and the
// user's actions.

#include <map>

#include "host/ui.h"
#include "studio/ui/custom_control_classes.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/messages.h"
#include "studio/ui/window_system.h"

namespace studio {
namespace {

constexpr DWORD ColorMask = 0x00FFFFFF;

class SwatchControl : public Control {
public:
    DWORD color = 0;
    std::string title;
    bool active = false;
    bool picking = false;
    DWORD colorAtBegin = 0;
};

SwatchControl* SwatchAt(HWND window) {
    Window* w = Windows().Find(window);
    return w ? dynamic_cast<SwatchControl*>(w->control.get()) : nullptr;
}

void Notify(HWND control, UINT message, UINT high) {
    const Window* w = Windows().Find(control);
    if (w) Windows().Send(w->parent, message, MakeWParam(UINT(w->id), high), reinterpret_cast<LPARAM>(control));
}

// What the module holds. The module never releases it, so it outlives the
// window and names it by handle: once the window is gone it does nothing.
class SwatchHandle : public IColorSwatch {
public:
    explicit SwatchHandle(HWND w) : swatch(w) {}
    ~SwatchHandle() override = default;

    void SetSwatchColor(DWORD color, BOOL notify) override {
        SwatchControl* s = SwatchAt(swatch);
        if (!s) return;
        s->color = color & ColorMask;
        if (notify) Notify(swatch, msg::SwatchChanged, 1);
    }
    DWORD GetSwatchColor() override {
        const SwatchControl* s = SwatchAt(swatch);
        return s ? s->color : 0;
    }
    void ActivateSwatch(BOOL on) override {
        if (SwatchControl* s = SwatchAt(swatch)) s->active = on != 0;
    }

private:
    HWND swatch;
};

// One handle per swatch window; window handles are never reused.
std::map<HWND, std::unique_ptr<SwatchHandle>>& Handles() {
    static std::map<HWND, std::unique_ptr<SwatchHandle>> handles;
    return handles;
}

SwatchControl* InputSwatch(HWND swatch) {
    return Windows().AcceptsInput(swatch) ? SwatchAt(swatch) : nullptr;
}

}  // namespace

std::unique_ptr<Control> MakeSwatchControl() { return std::make_unique<SwatchControl>(); }

bool GetSwatchState(HWND swatch, SwatchState& state) {
    const SwatchControl* s = SwatchAt(swatch);
    if (!s) return false;
    state = {s->color, s->title, s->active, s->picking};
    return true;
}

bool BeginColorPick(HWND swatch) {
    SwatchControl* s = InputSwatch(swatch);
    if (!s || s->picking) return false;
    s->picking = true;
    s->colorAtBegin = s->color;
    Notify(swatch, msg::SwatchBegin, 0);
    return true;
}

bool PickColor(HWND swatch, DWORD color) {
    SwatchControl* s = InputSwatch(swatch);
    if (!s) return false;
    s->color = color & ColorMask;
    Notify(swatch, msg::SwatchChanged, s->picking ? 0 : 1);
    return true;
}

bool EndColorPick(HWND swatch) {
    SwatchControl* s = SwatchAt(swatch);
    if (!s || !s->picking) return false;
    s->picking = false;
    Notify(swatch, msg::SwatchEnd, 1);
    return true;
}

bool CancelColorPick(HWND swatch) {
    SwatchControl* s = SwatchAt(swatch);
    if (!s || !s->picking) return false;
    s->picking = false;
    s->color = s->colorAtBegin;
    Notify(swatch, msg::SwatchEnd, 0);
    return true;
}

}  // namespace studio

IColorSwatch* GetIColorSwatch(HWND control, DWORD color, const char* title) {
    using namespace studio;
    SwatchControl* s = SwatchAt(control);
    if (!s) return nullptr;
    s->color = color & ColorMask;
    s->title = title ? title : "";  // the caller's text lives only during the call
    auto& handle = Handles()[control];
    if (!handle) handle = std::make_unique<SwatchHandle>(control);
    return handle.get();
}
