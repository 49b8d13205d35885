#pragma once

// A scene: the root textures of a texture graph, saved to and loaded from a
// scene file with every object of the graph.

#include <memory>
#include <string>
#include <vector>

#include "host/mtl_base.h"
#include "studio/core/streams.h"
#include "studio/scene/class_registry.h"
#include "studio/scene/unknown_object.h"

class Scene;

struct SceneLoadResult {
    std::unique_ptr<Scene> scene;       ///< null when the file was refused
    std::string error;                  ///< why it was refused, naming the file
    std::vector<std::string> warnings;  ///< what loaded only in part (unknown classes, missing images)
    explicit operator bool() const { return scene != nullptr; }
};

/// The scene holds its roots as references: reference i is root i. Objects
/// reached only through it are deleted with it.
class Scene final : public ReferenceMaker {
public:
    Scene();
    ~Scene() override;

    int RootCount() const { return int(roots.size()); }
    ReferenceTarget* Root(int i) const { return roots[std::size_t(i)]; }
    /// Root i as a texture, or null.
    Texmap* RootTexmap(int i) const { return dynamic_cast<Texmap*>(Root(i)); }
    /// Adds a root (null keeps a place for one) and answers its number.
    int AddRoot(ReferenceTarget* root);
    /// Replaces root i (0..RootCount()-1); the old one is deleted when
    /// nothing else holds it.
    void SetRoot(int i, ReferenceTarget* root) {
        if (i >= 0 && i < RootCount()) ReplaceReference(i, root);
    }

    /// Objects of classes that were not loaded, kept to be written back.
    const std::vector<std::unique_ptr<UnknownObject>>& UnknownObjects() const { return unknowns; }

    // The object-level Save and Load of a reference maker stay visible.
    using ReferenceMaker::Load;
    using ReferenceMaker::Save;

    /// Writes the scene to `path` through a temporary file renamed over it,
    /// so a failed save leaves the old file as it was. Answers an empty text
    /// on success, else the problem, naming the file.
    std::string Save(const std::string& path);
    /// Writes the scene's bytes to `out`; answers an empty text or the problem.
    std::string SaveTo(ISave& out);

    /// Loads `path`, creating each object through its class in `classes`.
    /// Either the whole scene or nothing: a damaged, truncated, foreign or
    /// newer file is refused with a message. Objects whose class is not in
    /// `classes` are reported in the warnings and kept aside; the references
    /// to them are empty.
    static SceneLoadResult Load(const std::string& path, const ClassRegistry& classes);
    /// Loads `path` through the built-in classes and those of `modules`.
    static SceneLoadResult Load(const std::string& path, const studio::ModuleRegistry& modules);
    /// Loads from bytes in memory; `name` stands for the file in messages.
    static SceneLoadResult LoadFromMemory(studio::Bytes data, const std::string& name,
                                          const ClassRegistry& classes);

    int NumRefs() override { return RootCount(); }
    RefTargetHandle GetReference(int i) override { return Root(i); }
    void SetReference(int i, RefTargetHandle target) override;
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override {
        return REF_SUCCEED;
    }

private:
    friend class SceneReader;
    std::vector<ReferenceTarget*> roots;
    std::vector<std::unique_ptr<UnknownObject>> unknowns;
};
