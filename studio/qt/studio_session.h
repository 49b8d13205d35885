#pragma once

// What the material editor window works on: the loaded modules, the scene
// with its Tintora texture, the material editor with the texture's editor,
// and the way down to the nested texture being edited. No Qt here.

#include <memory>
#include <string>
#include <vector>

#include "host/ui.h"
#include "studio/core/module_loader.h"
#include "studio/qt/edit_path.h"
#include "studio/scene/scene.h"
#include "studio/ui/material_editor_host.h"

namespace studio::qt {

inline constexpr Class_ID TINTORA_CLASS_ID(0x57EE53DC, 0x134F5A34);

class StudioSession {
public:
    StudioSession();
    ~StudioSession();
    StudioSession(const StudioSession&) = delete;
    StudioSession& operator=(const StudioSession&) = delete;

    /// Loads the modules of `folder`; answers what went wrong, empty when
    /// Tintora is there.
    std::string LoadModules(const std::string& folder);
    const ModuleRegistry& Modules() const { return modules; }
    /// The scene loader's classes: the standard textures and the modules'.
    const ClassRegistry& Classes() const { return classes; }

    /// A scene with one new Tintora texture, opened in the editor.
    std::string NewScene();
    /// Opens the first Tintora texture of the scene file; on failure the
    /// scene open before stays. Answers the problem, or empty.
    std::string OpenScene(const std::string& path);
    /// Answers the problem, or empty.
    std::string SaveScene(const std::string& path);

    const std::string& Path() const { return path; }
    bool Modified() const { return modified; }
    void SetModified(bool on) { modified = on; }
    const std::vector<std::string>& Warnings() const { return warnings; }

    MaterialEditorHost& Host() { return *host; }
    ParamEditor* Editor() const { return editor; }
    Scene* CurrentScene() const { return scene.get(); }
    Texmap* Root() const;
    /// The texture the editor shows.
    Texmap* Edited() const { return editPath->Edited(); }
    /// The textures from the root down to the edited one.
    const std::vector<ReferenceTarget*>& EditedPath() const { return editPath->Maps(); }

    /// The Tintora sub-textures of the edited texture: slot and texture.
    std::vector<std::pair<int, Texmap*>> NestedTintoras() const;
    /// Edits the Tintora sub-texture in `slot` of the edited texture.
    bool EnterSubTexture(int slot);
    /// Back to the texture above; false at the root.
    bool LeaveSubTexture();
    /// After an edit: when the edited texture is no longer below the one
    /// above it (an undo took it out), edit the nearest one still in place.
    bool FollowEditedPath();

    /// After the editor told the material editor that the texture changed
    /// (a spinner released or cancelled), reloads the editor's controls: a
    /// cancelled drag restores the parameter behind the editor's back, and
    /// the mirror spinner must show it again.
    void ReloadEditorIfChanged();

    void SetTime(TimeValue t);
    TimeValue Time() { return host->CurrentTime(); }

private:
    void Edit(Texmap* root, std::unique_ptr<Scene> newScene);
    void ShowEdited();

    ModuleRegistry modules;  // first in, last out: the module's code outlives its objects
    ClassRegistry classes;
    std::unique_ptr<MaterialEditorHost> host;
    std::unique_ptr<Scene> scene;
    std::unique_ptr<EditPath> editPath;
    ParamEditor* editor = nullptr;
    std::string path;
    bool modified = false;
    bool reloadDue = false;
    std::vector<std::string> warnings;
};

/// Whether `object` is a Tintora texture.
bool IsTintora(ReferenceTarget* object);

}  // namespace studio::qt
