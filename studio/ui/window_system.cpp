#include "studio/ui/window_system.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "studio/ui/messages.h"
#include "studio/ui/standard_controls.h"

namespace studio {
namespace {

std::string Upper(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper;
}

std::uintptr_t Key(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

}  // namespace

std::optional<LRESULT> Control::Receive(Window&, UINT, WPARAM, LPARAM) { return std::nullopt; }

WindowSystem& WindowSystem::Instance() {
    static WindowSystem system;
    return system;
}

void WindowSystem::RegisterClass(std::string_view name, ControlFactory factory) {
    classes[Upper(name)] = std::move(factory);
}

bool WindowSystem::IsClassRegistered(std::string_view name) const {
    return classes.count(Upper(name)) != 0;
}

HWND WindowSystem::Create(const WindowSpec& spec) {
    const auto cls = classes.find(Upper(spec.className));
    if (cls == classes.end()) {
        lastError = "window class \"" + spec.className + "\" is not registered";
        return nullptr;
    }
    Window* parent = nullptr;
    if (spec.parent && !(parent = Find(spec.parent))) {
        lastError = "the parent window does not exist";
        return nullptr;
    }
    auto window = std::make_shared<Window>();
    window->handle = reinterpret_cast<HWND>(nextHandle++);
    window->className = spec.className;
    window->id = spec.id;
    window->style = spec.style;
    window->text = spec.text;
    window->x = spec.x;
    window->y = spec.y;
    window->cx = spec.cx;
    window->cy = spec.cy;
    window->parent = spec.parent;
    window->instance = spec.instance;
    window->imageId = spec.imageId;
    window->dialogProc = spec.dialogProc;
    if (cls->second) window->control = cls->second();
    if (parent) parent->children.push_back(window->handle);
    windows[Key(window->handle)] = window;
    return window->handle;
}

void WindowSystem::Destroy(HWND handle) {
    const auto window = Shared(handle);
    if (!window) return;
    Send(handle, msg::Destroy, 0, 0);
    for (const HWND child : std::vector<HWND>(window->children)) Destroy(child);
    if (Window* parent = Find(window->parent)) std::erase(parent->children, handle);
    windows.erase(Key(handle));
    const std::lock_guard lock(queueLock);
    std::erase_if(queue, [handle](const Posted& p) { return p.window == handle; });
}

std::shared_ptr<Window> WindowSystem::Shared(HWND window) const {
    const auto found = windows.find(Key(window));
    return found == windows.end() ? nullptr : found->second;
}

Window* WindowSystem::Find(HWND window) const { return Shared(window).get(); }

HWND WindowSystem::Child(HWND parent, int id) const {
    const Window* p = Find(parent);
    if (!p) return nullptr;
    for (const HWND child : p->children)
        if (const Window* c = Find(child); c && c->id == id) return child;
    return nullptr;
}

bool WindowSystem::AcceptsInput(HWND handle) const {
    const Window* window = Find(handle);
    if (!window) return false;
    for (; window; window = Find(window->parent))
        if (window->HasStyle(window_style::Disabled)) return false;
    return true;
}

LRESULT WindowSystem::Send(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // Held for the whole delivery, so that a handler may destroy its own window.
    const auto window = Shared(handle);
    if (!window) return 0;
    if (window->dialogProc) {
        if (const INT_PTR answer = window->dialogProc(handle, message, wParam, lParam))
            return answer;
    } else if (window->control) {
        if (const auto answer = window->control->Receive(*window, message, wParam, lParam))
            return *answer;
    }
    return DefaultReceive(*window, message, wParam, lParam);
}

LRESULT WindowSystem::DefaultReceive(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case msg::SetText:
        window.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return 1;
    case msg::GetText: {
        if (wParam == 0 || !lParam) return 0;
        const std::size_t n = std::min<std::size_t>(wParam - 1, window.text.size());
        std::memcpy(reinterpret_cast<char*>(lParam), window.text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return LRESULT(n);
    }
    case msg::GetTextLength:
        return LRESULT(window.text.size());
    default:
        return 0;
    }
}

bool WindowSystem::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Find(window)) return false;
    const std::lock_guard lock(queueLock);
    queue.push_back({window, message, wParam, lParam});
    return true;
}

std::size_t WindowSystem::QueuedMessages() const {
    const std::lock_guard lock(queueLock);
    return queue.size();
}

bool WindowSystem::DeliverOnePosted() {
    Posted next{};
    {
        const std::lock_guard lock(queueLock);
        if (queue.empty()) return false;
        next = queue.front();
        queue.pop_front();
    }
    Send(next.window, next.message, next.wParam, next.lParam);
    return true;
}

bool WindowSystem::PaintOne() {
    for (const auto& [key, window] : windows) {
        if (!window->invalid) continue;
        window->invalid = false;
        Send(window->handle, msg::Paint, 0, 0);
        return true;
    }
    return false;
}

int WindowSystem::Pump() {
    int delivered = 0;
    while (DeliverOnePosted() || PaintOne()) ++delivered;
    return delivered;
}

bool WindowSystem::Invalidate(HWND handle) {
    Window* window = Find(handle);
    if (!window) return false;
    window->invalid = true;
    return true;
}

void WindowSystem::SetMessageBoxProvider(MessageBoxProvider provider) {
    messageBoxProvider = std::move(provider);
}

int WindowSystem::ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return messageBoxProvider ? messageBoxProvider(owner, text, caption, type) : 0;
}

WindowSystem::WindowSystem() { RegisterStandardClasses(*this); }

}  // namespace studio
