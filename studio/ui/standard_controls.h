#pragma once

// The standard window classes (dialogs, buttons, combo boxes, statics,
// edits) and what a user can do with them.

#include "host/win32.h"

namespace studio {

class WindowSystem;

/// The class name of dialog windows.
inline constexpr const char* DialogClassName = "#32770";

void RegisterStandardClasses(WindowSystem& system);

/// Clicks a button as a user would: an auto check box toggles first; push
/// buttons and check boxes then send 273 (id, 0) to the parent; group boxes
/// do nothing. False when the button ignores the click (disabled, not a
/// button, or a group box).
bool ClickButton(HWND button);

/// Chooses item `index` of a combo box as a user would: selects it, then
/// sends 273 (id, 1) to the parent. False when the list is disabled or has
/// no such item.
bool ChooseListItem(HWND comboBox, int index);

}  // namespace studio
