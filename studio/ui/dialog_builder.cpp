#include "studio/ui/dialog_builder.h"

#include <string>

#include "studio/ui/messages.h"
#include "studio/ui/resource_registry.h"
#include "studio/ui/standard_controls.h"
#include "studio/ui/window_system.h"

namespace studio {
namespace {

WindowSpec ControlSpec(HINSTANCE instance, const ResourceControl& c, HWND dialog) {
    WindowSpec spec;
    spec.className = c.className;
    spec.id = c.id;
    spec.style = c.style;
    spec.text = c.text;
    spec.x = c.x;
    spec.y = c.y;
    spec.cx = c.cx;
    spec.cy = c.cy;
    spec.parent = dialog;
    spec.instance = instance;
    spec.imageId = c.imageId;
    return spec;
}

}  // namespace

HWND CreateDialogFromTemplate(HINSTANCE instance, const ResourceDialog& tmpl, HWND parent, int x, int y,
                              DLGPROC proc, LPARAM param) {
    WindowSystem& system = Windows();
    WindowSpec spec;
    spec.className = DialogClassName;
    spec.id = tmpl.id;
    spec.style = tmpl.style;
    spec.text = tmpl.caption;
    spec.x = x;
    spec.y = y;
    spec.cx = tmpl.cx;
    spec.cy = tmpl.cy;
    spec.parent = parent;
    spec.instance = instance;
    const HWND dialog = system.Create(spec);
    if (!dialog) return nullptr;
    HWND firstTabStop = nullptr;
    for (int i = 0; i < tmpl.controlCount; ++i) {
        const HWND control = system.Create(ControlSpec(instance, tmpl.controls[i], dialog));
        if (!control) {
            const std::string reason = system.LastError();
            system.Destroy(dialog);
            system.SetLastError("dialog " + std::to_string(tmpl.id) + ", control " + std::to_string(i + 1) +
                                ": " + reason);
            return nullptr;
        }
        if (!firstTabStop && (tmpl.controls[i].style & window_style::TabStop)) firstTabStop = control;
    }
    // The procedure is stored with the window, so 272 goes through the
    // ordinary delivery path.
    if (proc) {
        system.Find(dialog)->dialogProc = proc;
        system.Send(dialog, msg::InitDialog, reinterpret_cast<WPARAM>(firstTabStop), param);
    }
    return dialog;
}

HWND CreateDialogFromResources(HINSTANCE instance, int templateId, HWND parent, int x, int y, DLGPROC proc,
                               LPARAM param) {
    const ResourceDialog* tmpl = FindDialogTemplate(instance, templateId);
    if (!tmpl) {
        Windows().SetLastError("the module has no dialog template " + std::to_string(templateId));
        return nullptr;
    }
    return CreateDialogFromTemplate(instance, *tmpl, parent, x, y, proc, param);
}

}  // namespace studio

