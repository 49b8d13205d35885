#pragma once

// The host's custom controls: the spinner with its edit ("SpinnerControl",
// "CustEdit") and the colour swatch ("ColorSwatch"), and what a user (or
// the front end acting for one) can do with them. Each action sends the
// notifications of a real interaction to the dialog, low word of wParam
// the control id, and answers false when the control ignores it (no such
// control, disabled, or not in a state that allows it).

#include <cstddef>
#include <string>

#include "host/win32.h"

namespace studio {

inline constexpr const char* SpinnerClassName = "SpinnerControl";
inline constexpr const char* EditClassName = "CustEdit";
inline constexpr const char* SwatchClassName = "ColorSwatch";

/// How many times InitCommonControls has run.
int CommonControlsInitCount();
/// How many times InitCustomControls has run.
int CustomControlsInitCount();

// Spinner: press (1625), drag by whole steps (1624 whenever the value
// moves), then release (1626, high word 1) or cancel (the value shown at the
// press comes back; 1626, high word 0).
bool PressSpinner(HWND spinner);
bool DragSpinner(HWND spinner, int steps);
bool ReleaseSpinner(HWND spinner);
bool CancelSpinner(HWND spinner);

// A spinner's edit: typing changes only the text shown; committing (Enter)
// reads it, clamps it to the spinner's limits and, when the value changed,
// sends 1624 for the spinner and 1709 for the edit. Text that is not a
// finite number is dropped and the value shown again.
bool TypeInEdit(HWND edit, const std::string& text);
bool CommitEdit(HWND edit);

// Swatch: begin (1630), choose colours live (1627, high word 0), then end
// (1631, high word 1) or cancel (the colour at the start comes back; 1631,
// high word 0). A colour chosen outside an interaction is a change complete
// in itself (1627, high word 1).
bool BeginColorPick(HWND swatch);
bool PickColor(HWND swatch, DWORD color);
bool EndColorPick(HWND swatch);
bool CancelColorPick(HWND swatch);

/// What a spinner holds, for front ends and tests; false when `spinner` is no spinner.
struct SpinnerState {
    float value, low, high, step;
    bool pressed;
    HWND edit;
};
bool GetSpinnerState(HWND spinner, SpinnerState& state);

/// What a swatch holds; false when `swatch` is no swatch.
struct SwatchState {
    DWORD color;
    std::string title;
    bool active;
    bool picking;
};
bool GetSwatchState(HWND swatch, SwatchState& state);

/// How many spinner handles are handed out and not yet released.
std::size_t LiveSpinnerHandles();

/// The text a spinner's edit shows for `value`.
std::string FormatSpinnerValue(float value);

}  // namespace studio
