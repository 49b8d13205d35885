#pragma once

// The material editor's parameters object: owns the material editor's
// window, builds rollups from module templates, keeps the editor's time,
// and answers message 17410 (a texture asks for a sub-texture) with the
// texture chooser the application installs.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/mtl_base.h"
#include "host/ui.h"

namespace studio {

/// Lets the user pick the sub-texture for `slot` of `texture`: nothing when
/// the user cancelled, a null texture to empty the slot.
using TextureChooser = std::function<std::optional<Texmap*>(MtlBase& texture, int slot)>;
using MouseHandler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

struct Rollup {
    HWND window;
    std::string title;
    DWORD flags;
    int templateId;
};

class MaterialEditorHost : public IMtlEditorHost {
public:
    MaterialEditorHost();
    /// Destroys the editor window and with it every rollup.
    ~MaterialEditorHost() override;
    MaterialEditorHost(const MaterialEditorHost&) = delete;
    MaterialEditorHost& operator=(const MaterialEditorHost&) = delete;

    /// Null, with nothing added, when the module has no such template or a
    /// control class is not registered (WindowSystem::LastError() says why).
    /// Rollups stack downwards in the order they were added.
    HWND AddRollup(HINSTANCE instance, int templateId, DLGPROC proc, const char* title, LPARAM param,
                   DWORD flags) override;
    TimeValue CurrentTime() override { return time; }
    LRESULT PassMouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void MapChanged() override;

    /// The window to hand to a texture's CreateEditor.
    HWND EditorWindow() const { return editorWindow; }
    const std::vector<Rollup>& Rollups() const { return rollups; }
    void SetCurrentTime(TimeValue t) { time = t; }
    void SetTextureChooser(TextureChooser chooser) { textureChooser = std::move(chooser); }
    void SetMouseHandler(MouseHandler handler) { mouseHandler = std::move(handler); }
    void SetMapChangedCallback(std::function<void()> callback) { mapChangedCallback = std::move(callback); }
    int MapChangedCount() const { return mapChangedCount; }
    int MouseMessageCount() const { return mouseMessageCount; }

    /// Runs a request for a sub-texture: asks the chooser, hands the choice
    /// to the texture's SetSubTexmap as one undo step ("Map Change") and
    /// sends its change notice. Requests
    /// without a texture or with a slot outside 0..SubTexmapCount()-1 are
    /// refused. Answers whether the texture received a choice.
    bool ChooseSubTexture(MtlBase* texture, int slot);

private:
    HWND editorWindow = nullptr;
    std::vector<Rollup> rollups;
    TimeValue time = 0;
    TextureChooser textureChooser;
    MouseHandler mouseHandler;
    std::function<void()> mapChangedCallback;
    int mapChangedCount = 0;
    int mouseMessageCount = 0;
};

}  // namespace studio
