#pragma once

// The textures from the scene's root down to the one being edited, held as
// references so that none of them goes away while the editor may point at
// it. Any change notice from them marks the scene as changed.

#include <functional>
#include <vector>

#include "host/mtl_base.h"

namespace studio::qt {

class EditPath final : public ReferenceMaker {
public:
    explicit EditPath(std::function<void()> onChange) : changed(std::move(onChange)) {}
    ~EditPath() override { DeleteAllRefsFromMe(); }

    const std::vector<ReferenceTarget*>& Maps() const { return maps; }
    Texmap* Edited() const { return maps.empty() ? nullptr : dynamic_cast<Texmap*>(maps.back()); }
    /// Starts over at `root`.
    void Reset(ReferenceTarget* root);
    void Push(ReferenceTarget* map);
    void Pop();
    /// Drops the maps that are no longer sub-textures of the one above them;
    /// answers whether any were dropped.
    bool DropUnreachable();

    int NumRefs() override { return int(maps.size()); }
    RefTargetHandle GetReference(int i) override { return maps[std::size_t(i)]; }
    void SetReference(int i, RefTargetHandle target) override;
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage message) override;

private:
    void Truncate(std::size_t size);
    std::vector<ReferenceTarget*> maps;
    std::function<void()> changed;
};

/// Whether `map` is one of the sub-textures of `parent`.
bool HoldsSubTexture(ReferenceTarget* parent, ReferenceTarget* map);

}  // namespace studio::qt
