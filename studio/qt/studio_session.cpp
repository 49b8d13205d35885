#include "studio/qt/studio_session.h"

#include "studio/core/undo_stack.h"
#include "studio/textures/standard_classes.h"

namespace studio::qt {

bool IsTintora(ReferenceTarget* object) { return object && object->ClassID() == TINTORA_CLASS_ID; }

StudioSession::StudioSession()
    : host(std::make_unique<MaterialEditorHost>()),
      editPath(std::make_unique<EditPath>([this] { modified = true; })) {
    host->SetMapChangedCallback([this] { reloadDue = true; });
}

StudioSession::~StudioSession() {
    if (editor) editor->DeleteThis();
    editor = nullptr;
    TheUndoStack().Clear();
    editPath.reset();
    scene.reset();
    host.reset();
}

std::string StudioSession::LoadModules(const std::string& folder) {
    std::vector<std::string> problems = modules.LoadFolder(folder);
    RegisterStandardTextures();
    classes = StudioClasses(modules);
    if (modules.FindClass(TINTORA_CLASS_ID)) return {};
    std::string message = "Tintora is not among the modules of " + folder;
    for (const std::string& problem : problems) message += "\n" + problem;
    return message;
}

Texmap* StudioSession::Root() const { return scene ? scene->RootTexmap(0) : nullptr; }

std::string StudioSession::NewScene() {
    auto* map = dynamic_cast<Texmap*>(modules.Create(TINTORA_CLASS_ID));
    if (!map) return "Tintora could not be created";
    auto fresh = std::make_unique<Scene>();
    fresh->AddRoot(map);
    Edit(map, std::move(fresh));
    path.clear();
    return {};
}

std::string StudioSession::OpenScene(const std::string& file) {
    SceneLoadResult loaded = Scene::Load(file, classes);
    if (!loaded) return loaded.error;
    Texmap* root = nullptr;
    for (int i = 0; i < loaded.scene->RootCount() && !root; ++i)
        if (IsTintora(loaded.scene->Root(i))) root = loaded.scene->RootTexmap(i);
    if (!root) return file + ": the scene holds no Tintora texture";
    // The editor shows root 0; put the Tintora texture there.
    if (loaded.scene->Root(0) != root) return file + ": the scene's first texture is not a Tintora texture";
    warnings = loaded.warnings;
    Edit(root, std::move(loaded.scene));
    path = file;
    return {};
}

std::string StudioSession::SaveScene(const std::string& file) {
    if (!scene) return "There is no scene to save";
    std::string problem = scene->Save(file);
    if (!problem.empty()) return problem;
    path = file;
    modified = false;
    return {};
}

void StudioSession::Edit(Texmap* root, std::unique_ptr<Scene> newScene) {
    // The history belongs to the scene that goes.
    TheUndoStack().Clear();
    // The editor moves before the old textures are let go.
    if (editor)
        editor->SetEditedMap(root);
    else
        editor = root->CreateEditor(host->EditorWindow(), host.get());
    editPath->Reset(root);
    scene = std::move(newScene);
    modified = false;
}

std::vector<std::pair<int, Texmap*>> StudioSession::NestedTintoras() const {
    std::vector<std::pair<int, Texmap*>> nested;
    Texmap* edited = Edited();
    if (!edited) return nested;
    for (int slot = 0; slot < edited->SubTexmapCount(); ++slot)
        if (Texmap* sub = edited->GetSubTexmap(slot); IsTintora(sub)) nested.emplace_back(slot, sub);
    return nested;
}

bool StudioSession::EnterSubTexture(int slot) {
    Texmap* edited = Edited();
    if (!edited || slot < 0 || slot >= edited->SubTexmapCount()) return false;
    Texmap* sub = edited->GetSubTexmap(slot);
    if (!IsTintora(sub)) return false;
    editPath->Push(sub);
    ShowEdited();
    return true;
}

bool StudioSession::LeaveSubTexture() {
    if (EditedPath().size() < 2) return false;
    // The editor moves first, so that it never points at a texture that went.
    editor->SetEditedMap(EditedPath()[EditedPath().size() - 2]);
    editPath->Pop();
    return true;
}

bool StudioSession::FollowEditedPath() {
    const std::vector<ReferenceTarget*>& maps = EditedPath();
    std::size_t reachable = maps.size();
    for (std::size_t i = 1; i < maps.size() && reachable == maps.size(); ++i)
        if (!HoldsSubTexture(maps[i - 1], maps[i])) reachable = i;
    if (reachable == maps.size()) return false;
    editor->SetEditedMap(maps[reachable - 1]);
    editPath->DropUnreachable();
    return true;
}

void StudioSession::ShowEdited() {
    if (editor && Edited()) editor->SetEditedMap(Edited());
}

void StudioSession::ReloadEditorIfChanged() {
    if (!reloadDue || !editor) return;
    reloadDue = false;
    editor->Reload();
}

void StudioSession::SetTime(TimeValue t) {
    host->SetCurrentTime(t);
    if (editor) editor->ChangeTime(t);
}

}  // namespace studio::qt
