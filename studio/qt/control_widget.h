#pragma once

// The base of the widgets that draw the window layer's controls. A control
// widget shows what its window holds (Sync) and turns what the user does
// into the layer's user actions, run through an ActionRunner; it keeps no
// state of the texture's own.

#include <functional>

#include <QWidget>

#include "host/win32.h"
#include "studio/ui/window.h"

namespace studio::qt {

/// Runs the window layer's user actions for the widgets: after the action
/// the layer is pumped and every control widget shows the new state.
class ActionRunner {
public:
    virtual ~ActionRunner() = default;
    virtual void Run(const std::function<void()>& action) = 0;
};

class ControlWidget : public QWidget {
public:
    ControlWidget(HWND window, ActionRunner& runner, QWidget* parent);

    HWND Handle() const { return handle; }
    /// The control id of the window.
    int Id() const;
    /// Shows the window's present state.
    virtual void Sync() = 0;

protected:
    /// The window, or null once the layer destroyed it.
    const Window* State() const;
    void Act(const std::function<void()>& action) { actionRunner.Run(action); }

private:
    HWND handle;
    ActionRunner& actionRunner;
};

/// The text of a window as Qt shows it: '&' marks no mnemonic here.
QString WindowText(const Window& window);

}  // namespace studio::qt
