#pragma once

#include <unordered_map>

#include "host/reference.h"

namespace studio {

/// One clone operation over a graph of targets: each target is cloned once,
/// so a target reached along two paths stays shared in the copy.
class CloneRemap final : public RemapDir {
public:
    /// The clone of `target` (null for null, and null for a target that
    /// cannot be cloned). A target reached again while its own clone is
    /// being made (a cycle) also answers null.
    RefTargetHandle CloneTarget(RefTargetHandle target) override;
    /// The clone made of `target` so far, or null.
    RefTargetHandle Find(RefTargetHandle target) const;

private:
    std::unordered_map<RefTargetHandle, RefTargetHandle> clones;
};

}  // namespace studio
