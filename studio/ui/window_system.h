#pragma once

// The window layer: window classes, the windows themselves, synchronous
// sending, the posted-message queue with its pump, invalidation and the
// message-box provider. One per process, used from the user-interface
// thread; only PostMessage may be called from other threads.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "studio/ui/window.h"

namespace studio {

/// What a new window is made of.
struct WindowSpec {
    std::string className;
    int id = -1;
    DWORD style = 0;
    std::string text;
    int x = 0, y = 0, cx = 0, cy = 0;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    int imageId = 0;
    DLGPROC dialogProc = nullptr;
};

/// Answers a message box: the button chosen (1 ok, 2 cancel, 6 yes, 7 no).
using MessageBoxProvider =
    std::function<int(HWND owner, std::string_view text, std::string_view caption, UINT type)>;

class WindowSystem {
public:
    using ControlFactory = std::function<std::unique_ptr<Control>()>;

    static WindowSystem& Instance();

    /// Registers (or replaces) a window class; names compare case-insensitively.
    void RegisterClass(std::string_view name, ControlFactory factory);
    bool IsClassRegistered(std::string_view name) const;

    /// A new window, or null when its class is not registered or its parent
    /// does not exist (LastError() says which).
    HWND Create(const WindowSpec& spec);
    /// Sends message 2 to the window, destroys its children, then the window;
    /// messages still queued for them are dropped.
    void Destroy(HWND window);
    /// The window of a handle, or null for a handle that names no window.
    Window* Find(HWND window) const;
    /// The child of `parent` with control id `id`, or null.
    HWND Child(HWND parent, int id) const;
    /// Whether user input reaches the window: it and its ancestors exist
    /// and none is disabled.
    bool AcceptsInput(HWND window) const;

    /// Delivers a message now: to the dialog procedure of a dialog, to the
    /// class behaviour of a control, then to the default handling when
    /// neither answered. 0 for a handle that names no window.
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    /// Queues a message for the next Pump(); false for an unknown window.
    bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    /// Delivers queued messages in order (including those queued meanwhile),
    /// then message 15 to each invalidated window, once each, until nothing
    /// is left. Answers how many messages it delivered.
    int Pump();
    std::size_t QueuedMessages() const;
    std::size_t WindowCount() const { return windows.size(); }
    /// Marks a window for painting at the next Pump(); false for an unknown window.
    bool Invalidate(HWND window);

    void SetMessageBoxProvider(MessageBoxProvider provider);
    /// Asks the provider; 0 (failure) when none is installed.
    int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);

    const std::string& LastError() const { return lastError; }
    void SetLastError(std::string error) { lastError = std::move(error); }

private:
    WindowSystem();
    LRESULT DefaultReceive(Window& window, UINT message, WPARAM wParam, LPARAM lParam);
    std::shared_ptr<Window> Shared(HWND window) const;
    bool DeliverOnePosted();
    bool PaintOne();

    struct Posted {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    std::map<std::string, ControlFactory> classes;        // upper-case names
    std::map<std::uintptr_t, std::shared_ptr<Window>> windows; // by handle value, in creation order
    std::uintptr_t nextHandle = 0x10000;
    mutable std::mutex queueLock;
    std::deque<Posted> queue;
    MessageBoxProvider messageBoxProvider;
    std::string lastError;
};

inline WindowSystem& Windows() { return WindowSystem::Instance(); }

}  // namespace studio
