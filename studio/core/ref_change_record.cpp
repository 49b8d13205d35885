#include "studio/core/ref_change_record.h"

#include "studio/core/ref_bookkeeping.h"

namespace studio {

RefChangeRecord::RefChangeRecord(ReferenceMaker& owner, int i, RefTargetHandle oldTarget,
                                 RefTargetHandle newTarget, bool deleteOld)
    : TrackedRestore({&owner, oldTarget, newTarget}),
      maker(&owner),
      index(i),
      before(oldTarget),
      after(newTarget),
      mayDelete(deleteOld) {}

RefChangeRecord::~RefChangeRecord() {
    if (!mayDelete)
        return;
    // The base destructor has not run yet, so this record still counts
    // itself once per mention.
    // Deleting one target may delete or forget the other: read the members
    // afresh each time.
    for (RefTargetHandle* slot : {&before, &after}) {
        RefTargetHandle target = *slot;
        if (!RefBookkeeping::Orphaned(target))
            continue;
        const std::size_t own = (target == before) + (target == after) +
                                (static_cast<ReferenceMaker*>(target) == maker);
        if (TheUndoStack().MentionCount(target) > own)
            continue;
        *slot = nullptr;
        target->DeleteThis();
    }
}

void RefChangeRecord::Put(RefTargetHandle target) {
    RefBookkeeping::Assign(*maker, index, target);
    RefTargetHandle sender = target ? target : (target == before ? after : before);
    RefBookkeeping::TellMaker(*maker, sender, kRefMsgChange);
}

void RefChangeRecord::DoRestore() { Put(before); }
void RefChangeRecord::DoRedo() { Put(after); }

void RefChangeRecord::Forget(const Animatable* object) {
    if (object == maker)
        maker = nullptr;
    if (object == before)
        before = nullptr;
    if (object == after)
        after = nullptr;
}

}  // namespace studio
