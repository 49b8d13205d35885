#pragma once

// Message numbers of the window layer, with the names Windows gives them.

#include "host/win32.h"

namespace studio::msg {
constexpr UINT Destroy = 2;
constexpr UINT SetText = 12;
constexpr UINT GetText = 13;
constexpr UINT GetTextLength = 14;
constexpr UINT Paint = 15;
constexpr UINT InitDialog = 272;
constexpr UINT Command = 273;
constexpr UINT ButtonGetCheck = 240;
constexpr UINT ButtonSetCheck = 241;
constexpr UINT ComboAddString = 323;
constexpr UINT ComboGetCount = 326;
constexpr UINT ComboGetCurSel = 327;
constexpr UINT ComboGetItemText = 328;
constexpr UINT ComboGetItemTextLength = 329;
constexpr UINT ComboResetContent = 331;
constexpr UINT ComboSetCurSel = 334;
constexpr UINT ComboError = UINT(-1);

// Notifications of the custom controls; the low word of wParam is the control id.
constexpr UINT SpinnerChanged = 1624;
constexpr UINT SpinnerPressed = 1625;
constexpr UINT SpinnerReleased = 1626;
constexpr UINT SwatchChanged = 1627;
constexpr UINT SwatchBegin = 1630;
constexpr UINT SwatchEnd = 1631;
constexpr UINT EditEntered = 1709;

/// Posted to the material editor's window: wParam slot, lParam texture.
constexpr UINT ChooseSubTexture = 17410;

// WM_COMMAND notification codes (the high word).
constexpr UINT ButtonClicked = 0;
constexpr UINT ComboSelChange = 1;
}  // namespace studio::msg

namespace studio {
constexpr WPARAM MakeWParam(UINT low, UINT high) {
    return WPARAM((low & 0xffff) | (WPARAM(high & 0xffff) << 16));
}
}  // namespace studio
