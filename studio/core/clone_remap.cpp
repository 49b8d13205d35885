#include "studio/core/clone_remap.h"

namespace studio {

RefTargetHandle CloneRemap::CloneTarget(RefTargetHandle target) {
    if (!target)
        return nullptr;
    auto [entry, inserted] = clones.try_emplace(target, nullptr);
    if (!inserted)
        return entry->second;
    RefTargetHandle copy = target->Clone(*this);
    clones[target] = copy;  // the map may have grown: look the entry up again
    return copy;
}

RefTargetHandle CloneRemap::Find(RefTargetHandle target) const {
    auto it = clones.find(target);
    return it == clones.end() ? nullptr : it->second;
}

}  // namespace studio
