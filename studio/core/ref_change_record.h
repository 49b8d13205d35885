#pragma once

#include "studio/core/undo_stack.h"

namespace studio {

/// Undo record of one reference change: reference `index` of `maker` went
/// from `before` to `after`. While the record lives it keeps whichever of the
/// two targets is left without dependents; when it is discarded it deletes
/// such a target (if the change allowed deleting the old one and no other
/// record can still bring it back).
///
/// Undoing or redoing counts as a change of that reference: the maker hears
/// message 80 from the target now in place.
class RefChangeRecord final : public TrackedRestore {
public:
    RefChangeRecord(ReferenceMaker& maker, int index, RefTargetHandle before,
                    RefTargetHandle after, bool mayDelete);
    ~RefChangeRecord() override;

private:
    void DoRestore() override;
    void DoRedo() override;
    void Forget(const Animatable* object) override;
    void Put(RefTargetHandle target);

    ReferenceMaker* maker;
    int index;
    RefTargetHandle before;
    RefTargetHandle after;
    bool mayDelete;
};

}  // namespace studio
