#pragma once

// One window of the headless window layer: its state, and the behaviour of
// its class. Positions and sizes are dialog units relative to the parent.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/resources.h"
#include "host/win32.h"

namespace studio {

struct Window;

/// What a window class does with the messages sent to its windows.
class Control {
public:
    virtual ~Control() = default;
    /// The answer to a message, or nothing to let the default handling run.
    virtual std::optional<LRESULT> Receive(Window& self, UINT message, WPARAM wParam, LPARAM lParam);
};

struct Window {
    HWND handle = nullptr;
    std::string className;
    int id = -1;
    DWORD style = 0;
    std::string text;
    int x = 0, y = 0, cx = 0, cy = 0;
    HWND parent = nullptr;
    std::vector<HWND> children;       // in creation order
    LONG_PTR userData = 0;            // index -21
    HINSTANCE instance = nullptr;     // the module whose resources built it
    int imageId = 0;                  // image resource a static shows, 0 for none
    DLGPROC dialogProc = nullptr;     // dialogs only
    UINT checkState = 0;              // buttons
    std::vector<std::string> items;   // combo boxes
    int selection = -1;               // combo boxes; -1 for none
    bool invalid = false;             // a paint is due
    std::unique_ptr<Control> control; // the class's behaviour; may be null

    bool HasStyle(DWORD bits) const { return (style & bits) == bits; }
};

}  // namespace studio
