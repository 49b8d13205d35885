#pragma once

// The studio's undo system: the concrete object behind `theHold`.

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/hold.h"
#include "host/reference.h"

namespace studio {

/// A restore record that points at host objects. The undo stack tells it when
/// one of them is destroyed; from then on the record is broken and does
/// nothing, and the undo steps that contain it are dropped from the history.
class TrackedRestore : public RestoreObj {
public:
    explicit TrackedRestore(std::vector<const Animatable*> objects);
    ~TrackedRestore() override;
    TrackedRestore(const TrackedRestore&) = delete;
    TrackedRestore& operator=(const TrackedRestore&) = delete;

    void Restore() final;
    void Redo() final;
    bool Broken() const { return broken; }

protected:
    virtual void DoRestore() = 0;
    virtual void DoRedo() = 0;
    /// `object` is being destroyed: forget every pointer to it.
    virtual void Forget(const Animatable* object) = 0;

private:
    friend class UndoStack;
    std::vector<const Animatable*> mentioned;
    bool broken = false;
};

/// Nested holds gather records; the outermost Accept makes them one named
/// undo step. An Accept with nothing recorded pushes no step (and leaves the
/// redo stack alone), so empty edits never clutter the history.
///
/// Recording is suppressed while a step is being undone or redone: Holding()
/// answers 0 then, and Put discards what it is given.
class UndoStack final : public Hold {
public:
    UndoStack() = default;
    ~UndoStack() override;
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    void Begin() override;
    void Accept(const char* name) override;
    void Cancel() override;
    int Holding() override;
    void Put(RestoreObj* record) override;

    bool CanUndo() const { return !undoSteps.empty() && CanMove(); }
    bool CanRedo() const { return !redoSteps.empty() && CanMove(); }
    /// Undoes the newest step; false when there is none or a hold is open.
    bool Undo();
    /// Redoes the step undone last; false when there is none or a hold is open.
    bool Redo();
    /// Step names, the one that Undo (Redo) would take first at the front.
    std::vector<std::string> UndoNames() const;
    std::vector<std::string> RedoNames() const;
    /// Forgets both stacks; an open hold keeps what it recorded.
    void Clear();
    std::size_t Depth() const { return marks.size(); }
    bool Restoring() const { return restoring; }

    /// Called by the reference system as a host object is destroyed.
    void ObjectDestroyed(const Animatable* object);
    /// How many live records point at `object`.
    std::size_t MentionCount(const Animatable* object) const;

private:
    friend class TrackedRestore;
    struct Step {
        std::string name;
        std::vector<std::unique_ptr<RestoreObj>> records;
    };
    using Records = std::vector<std::unique_ptr<RestoreObj>>;

    bool CanMove() const { return marks.empty() && !restoring; }
    void Track(TrackedRestore* record);
    void Untrack(TrackedRestore* record);
    void DropBrokenSteps();
    static bool HasBroken(const Step& step);

    Records open;                    // records of the open holds, oldest first
    std::vector<std::size_t> marks;  // where each open hold began in `open`
    std::vector<Step> undoSteps;     // newest at the back
    std::vector<Step> redoSteps;     // next to redo at the back
    bool restoring = false;
    bool dropping = false;
    std::unordered_multimap<const Animatable*, TrackedRestore*> tracked;
};

/// The studio's one undo stack; `theHold` refers to it.
UndoStack& TheUndoStack();

}  // namespace studio
