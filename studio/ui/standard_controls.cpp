#include "studio/ui/standard_controls.h"

#include <algorithm>
#include <cstring>

#include "studio/ui/messages.h"
#include "studio/ui/window_system.h"

namespace studio {
namespace {

namespace ws = window_style;

class ButtonControl : public Control {
public:
    std::optional<LRESULT> Receive(Window& self, UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
        case msg::ButtonGetCheck: return LRESULT(self.checkState);
        case msg::ButtonSetCheck: self.checkState = UINT(wParam); return 0;
        default: return std::nullopt;
        }
    }
};

class ComboBoxControl : public Control {
public:
    std::optional<LRESULT> Receive(Window& self, UINT message, WPARAM wParam, LPARAM lParam) override {
        const auto count = LRESULT(self.items.size());
        switch (message) {
        case msg::ComboAddString: return Add(self, lParam);
        case msg::ComboGetCount: return count;
        case msg::ComboGetCurSel: return self.selection;
        case msg::ComboSetCurSel:
            // Like Windows: an index out of range clears the selection and fails.
            self.selection = wParam < self.items.size() ? int(wParam) : -1;
            return self.selection < 0 ? LRESULT(-1) : self.selection;
        case msg::ComboGetItemTextLength:
            return wParam < self.items.size() ? LRESULT(self.items[wParam].size()) : LRESULT(-1);
        case msg::ComboGetItemText:
            if (wParam >= self.items.size() || !lParam) return LRESULT(-1);
            std::memcpy(reinterpret_cast<char*>(lParam), self.items[wParam].c_str(), self.items[wParam].size() + 1);
            return LRESULT(self.items[wParam].size());
        case msg::ComboResetContent:
            self.items.clear();
            self.selection = -1;
            return 0;
        default:
            return std::nullopt;
        }
    }

private:
    static LRESULT Add(Window& self, LPARAM lParam) {
        if (!lParam) return LRESULT(-1);
        const std::string item = reinterpret_cast<const char*>(lParam);
        auto at = self.items.end();
        if (self.style & 0x100 /* sorted */)
            at = std::upper_bound(self.items.begin(), self.items.end(), item);
        const auto index = at - self.items.begin();
        self.items.insert(at, item);
        if (self.selection >= index) ++self.selection;
        return LRESULT(index);
    }
};

void NotifyParent(const Window& control, UINT code) {
    Windows().Send(control.parent, msg::Command, MakeWParam(UINT(control.id), code),
                   reinterpret_cast<LPARAM>(control.handle));
}

bool IsClass(const Window& window, const char* name) {
    return std::equal(window.className.begin(), window.className.end(), name, name + std::strlen(name),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

void RegisterStandardClasses(WindowSystem& system) {
    system.RegisterClass(DialogClassName, nullptr);
    system.RegisterClass("BUTTON", [] { return std::make_unique<ButtonControl>(); });
    system.RegisterClass("COMBOBOX", [] { return std::make_unique<ComboBoxControl>(); });
    system.RegisterClass("STATIC", nullptr);
    system.RegisterClass("EDIT", nullptr);
}

bool ClickButton(HWND button) {
    Window* window = Windows().Find(button);
    if (!window || !IsClass(*window, "BUTTON") || !Windows().AcceptsInput(button)) return false;
    switch (window->style & ws::ButtonKindMask) {
    case ws::GroupBox:
        return false;
    case ws::AutoCheckBox:
        window->checkState = window->checkState ? 0 : 1;
        break;
    case ws::AutoRadioButton:
        window->checkState = 1;
        break;
    default:
        break;
    }
    NotifyParent(*window, msg::ButtonClicked);
    return true;
}

bool ChooseListItem(HWND comboBox, int index) {
    Window* window = Windows().Find(comboBox);
    if (!window || !IsClass(*window, "COMBOBOX") || !Windows().AcceptsInput(comboBox)) return false;
    if (index < 0 || index >= int(window->items.size())) return false;
    window->selection = index;
    NotifyParent(*window, msg::ComboSelChange);
    return true;
}

}  // namespace studio
