#include "studio/ui/material_editor_host.h"

#include <algorithm>

#include "host/hold.h"
#include "studio/ui/dialog_builder.h"
#include "studio/ui/messages.h"
#include "studio/ui/window_system.h"

namespace studio {
namespace {

constexpr const char* EditorClassName = "TintoraMaterialEditor";
constexpr PartID AllParts = 0x9ff;
constexpr RefMessage ChangeMessage = 80;

// The material editor window's behaviour: it answers 17410 through its host.
class EditorWindowControl : public Control {
public:
    MaterialEditorHost* host = nullptr;

    std::optional<LRESULT> Receive(Window&, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != msg::ChooseSubTexture || !host) return std::nullopt;
        // The slot goes through int only when it fits; anything else is refused.
        const int slot = wParam <= 0x7fffffff ? int(wParam) : -1;
        host->ChooseSubTexture(reinterpret_cast<MtlBase*>(lParam), slot);
        return 0;
    }
};

}  // namespace

MaterialEditorHost::MaterialEditorHost() {
    WindowSystem& system = Windows();
    if (!system.IsClassRegistered(EditorClassName))
        system.RegisterClass(EditorClassName, [] { return std::make_unique<EditorWindowControl>(); });
    WindowSpec spec;
    spec.className = EditorClassName;
    spec.style = window_style::Visible;
    spec.text = "Material Editor";
    editorWindow = system.Create(spec);
    static_cast<EditorWindowControl*>(system.Find(editorWindow)->control.get())->host = this;
}

MaterialEditorHost::~MaterialEditorHost() { Windows().Destroy(editorWindow); }

HWND MaterialEditorHost::AddRollup(HINSTANCE instance, int templateId, DLGPROC proc, const char* title,
                                   LPARAM param, DWORD flags) {
    int top = 0;
    for (const Rollup& r : rollups)
        if (const Window* w = Windows().Find(r.window)) top = std::max(top, w->y + w->cy);
    const HWND window = CreateDialogFromResources(instance, templateId, editorWindow, 0, top, proc, param);
    if (!window) return nullptr;
    rollups.push_back({window, title ? title : "", flags, templateId});
    // A new rollup is shown, and so painted at the next pump.
    Windows().Invalidate(window);
    return window;
}

LRESULT MaterialEditorHost::PassMouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ++mouseMessageCount;
    return mouseHandler ? mouseHandler(window, message, wParam, lParam) : 0;
}

void MaterialEditorHost::MapChanged() {
    ++mapChangedCount;
    if (mapChangedCallback) mapChangedCallback();
}

bool MaterialEditorHost::ChooseSubTexture(MtlBase* texture, int slot) {
    if (!texture || slot < 0 || slot >= texture->SubTexmapCount() || !textureChooser) return false;
    const std::optional<Texmap*> choice = textureChooser(*texture, slot);
    if (!choice) return false;
    // One undo step, so that the user can take the choice back.
    theHold.Begin();
    texture->SetSubTexmap(slot, *choice);
    theHold.Accept("Map Change");
    texture->NotifyDependents(WHOLE_INTERVAL, AllParts, ChangeMessage);
    return true;
}

}  // namespace studio
