#pragma once

// Builds dialogs from templates, as CreateDialogParam does.

#include "host/resources.h"
#include "host/win32.h"

namespace studio {

/// Creates the dialog of `tmpl` and its controls in template order, at
/// (x, y) dialog units inside `parent`, then sends 272 to `proc` (when there
/// is one) with the first tab-stop control as wParam and `param` as lParam.
/// Null when a control's class is not registered (nothing is left behind;
/// WindowSystem::LastError() names the class).
HWND CreateDialogFromTemplate(HINSTANCE instance, const ResourceDialog& tmpl, HWND parent, int x, int y,
                              DLGPROC proc, LPARAM param);

/// The same for template `templateId` of `instance`'s resources; null when
/// the module has no such template.
HWND CreateDialogFromResources(HINSTANCE instance, int templateId, HWND parent, int x, int y, DLGPROC proc,
                               LPARAM param);

}  // namespace studio
