// The spinner and its edit: state, the ISpinnerControl handles the module
// holds, and the user's actions.

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "host/ui.h"
#include "studio/ui/custom_control_classes.h"
#include "studio/ui/custom_controls.h"
#include "studio/ui/messages.h"
#include "studio/ui/window_system.h"

namespace studio {
namespace {

class SpinnerControl : public Control {
public:
    float value = 0.0f;
    float low = -3.0e38f;
    float high = 3.0e38f;
    float step = 1.0f;
    bool pressed = false;
    float valueAtPress = 0.0f;
    HWND edit = nullptr;
};

class EditControl : public Control {
public:
    HWND spinner = nullptr;
};

SpinnerControl* SpinnerAt(HWND window) {
    Window* w = Windows().Find(window);
    return w ? dynamic_cast<SpinnerControl*>(w->control.get()) : nullptr;
}

EditControl* EditAt(HWND window) {
    Window* w = Windows().Find(window);
    return w ? dynamic_cast<EditControl*>(w->control.get()) : nullptr;
}

float Clamp(const SpinnerControl& s, float v) { return v < s.low ? s.low : (v > s.high ? s.high : v); }

void ShowValue(const SpinnerControl& s) {
    if (Window* edit = Windows().Find(s.edit)) edit->text = FormatSpinnerValue(s.value);
}

void Notify(HWND control, UINT message, UINT high) {
    const Window* w = Windows().Find(control);
    if (w) Windows().Send(w->parent, message, MakeWParam(UINT(w->id), high), reinterpret_cast<LPARAM>(control));
}

// What the module holds. It names its spinner by handle, so that it turns
// harmless once the rollup is gone.
class SpinnerHandle : public ISpinnerControl {
public:
    explicit SpinnerHandle(HWND w) : spinner(w) {}
    ~SpinnerHandle() override = default;

    float GetFloat() override {
        const SpinnerControl* s = SpinnerAt(spinner);
        return s ? s->value : 0.0f;
    }
    void SetFloat(float v, BOOL notify) override {
        SpinnerControl* s = SpinnerAt(spinner);
        if (!s || !std::isfinite(v)) return;
        s->value = Clamp(*s, v);
        ShowValue(*s);
        if (notify) Notify(spinner, msg::SpinnerChanged, 0);
    }
    void SetLimits(float lo, float hi) override {
        SpinnerControl* s = SpinnerAt(spinner);
        if (!s || std::isnan(lo) || std::isnan(hi)) return;
        s->low = std::min(lo, hi);
        s->high = std::max(lo, hi);
        s->value = Clamp(*s, s->value);
        ShowValue(*s);
    }
    void SetScale(float step) override {
        SpinnerControl* s = SpinnerAt(spinner);
        if (s && std::isfinite(step) && step > 0.0f) s->step = step;
    }

private:
    HWND spinner;
};

std::map<ISpinnerControl*, std::unique_ptr<SpinnerHandle>>& LiveHandles() {
    static std::map<ISpinnerControl*, std::unique_ptr<SpinnerHandle>> handles;
    return handles;
}

// The spinner of an edit, when both accept input.
SpinnerControl* EditsSpinner(HWND edit, HWND& spinner) {
    const EditControl* e = EditAt(edit);
    if (!e || !Windows().AcceptsInput(edit) || !Windows().AcceptsInput(e->spinner)) return nullptr;
    spinner = e->spinner;
    return SpinnerAt(spinner);
}

}  // namespace

std::unique_ptr<Control> MakeSpinnerControl() { return std::make_unique<SpinnerControl>(); }
std::unique_ptr<Control> MakeEditControl() { return std::make_unique<EditControl>(); }

std::string FormatSpinnerValue(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", double(value));
    std::string text = buffer;
    while (text.size() > 1 && text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
    return text == "-0.0" ? "0.0" : text;
}

bool GetSpinnerState(HWND spinner, SpinnerState& state) {
    const SpinnerControl* s = SpinnerAt(spinner);
    if (!s) return false;
    state = {s->value, s->low, s->high, s->step, s->pressed, s->edit};
    return true;
}

bool PressSpinner(HWND spinner) {
    SpinnerControl* s = SpinnerAt(spinner);
    if (!s || s->pressed || !Windows().AcceptsInput(spinner)) return false;
    s->pressed = true;
    s->valueAtPress = s->value;
    Notify(spinner, msg::SpinnerPressed, 0);
    return true;
}

bool DragSpinner(HWND spinner, int steps) {
    SpinnerControl* s = SpinnerAt(spinner);
    if (!s || !s->pressed || !Windows().AcceptsInput(spinner)) return false;
    const float moved = Clamp(*s, s->value + float(steps) * s->step);
    if (moved == s->value) return true;
    s->value = moved;
    ShowValue(*s);
    Notify(spinner, msg::SpinnerChanged, 0);
    return true;
}

bool ReleaseSpinner(HWND spinner) {
    SpinnerControl* s = SpinnerAt(spinner);
    if (!s || !s->pressed) return false;
    s->pressed = false;
    Notify(spinner, msg::SpinnerReleased, 1);
    return true;
}

bool CancelSpinner(HWND spinner) {
    SpinnerControl* s = SpinnerAt(spinner);
    if (!s || !s->pressed) return false;
    s->pressed = false;
    s->value = s->valueAtPress;
    ShowValue(*s);
    Notify(spinner, msg::SpinnerReleased, 0);
    return true;
}

bool TypeInEdit(HWND edit, const std::string& text) {
    HWND spinner = nullptr;
    Window* e = Windows().Find(edit);
    if (!e || !EditsSpinner(edit, spinner)) return false;
    e->text = text;
    return true;
}

bool CommitEdit(HWND edit) {
    HWND spinner = nullptr;
    SpinnerControl* s = EditsSpinner(edit, spinner);
    Window* e = Windows().Find(edit);
    if (!s || !e) return false;
    const char* begin = e->text.c_str();
    char* end = nullptr;
    errno = 0;
    const float typed = std::strtof(begin, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    const bool number = end != begin && end && *end == '\0' && errno == 0 && std::isfinite(typed);
    const float before = s->value;
    if (number) s->value = Clamp(*s, typed);
    ShowValue(*s);
    if (!number) return false;
    if (s->value != before) {
        Notify(spinner, msg::SpinnerChanged, 0);
        Notify(edit, msg::EditEntered, 1);
    }
    return true;
}

std::size_t LiveSpinnerHandles() { return LiveHandles().size(); }

}  // namespace studio

ISpinnerControl* SetupFloatSpinner(HWND dialog, int spinnerId, int editId, float low, float high, float value,
                                   float step) {
    using namespace studio;
    const HWND spinner = Windows().Child(dialog, spinnerId);
    const HWND edit = Windows().Child(dialog, editId);
    SpinnerControl* s = SpinnerAt(spinner);
    EditControl* e = EditAt(edit);
    if (!s || !e) return nullptr;
    s->edit = edit;
    e->spinner = spinner;
    auto handle = std::make_unique<SpinnerHandle>(spinner);
    handle->SetLimits(low, high);
    handle->SetScale(step);
    handle->SetFloat(value, 0);
    ISpinnerControl* result = handle.get();
    LiveHandles()[result] = std::move(handle);
    return result;
}

void ReleaseISpinner(ISpinnerControl* spinner) {
    // A handle released twice, or never handed out, is ignored.
    studio::LiveHandles().erase(spinner);
}
