#pragma once

// The reference system's private access to makers and targets, shared by the
// reference operations and the undo records of reference changes.

#include "host/reference.h"

/// Part mask of a change notice that concerns every part of the sender.
constexpr PartID kPartAll = 0x9ff;
/// Reference message: the sender changed.
constexpr RefMessage kRefMsgChange = 80;

struct RefBookkeeping {
    /// What the reference system last set as reference i of `maker`.
    static RefTargetHandle Held(const ReferenceMaker& maker, int i);
    /// Sets reference i of `maker` through its SetReference and keeps the
    /// dependent lists in step. Deletes nothing. Answers the old target.
    static RefTargetHandle Assign(ReferenceMaker& maker, int i, RefTargetHandle target);
    /// True when `maker` is `target` or is reached from it through held
    /// references: making `target` a reference of `maker` would close a loop.
    static bool DependsOn(const ReferenceTarget* target, const ReferenceMaker* maker);
    /// True when `target` is non-null and no maker holds it.
    static bool Orphaned(const ReferenceTarget* target);
    static void Notify(ReferenceTarget& from, RefTargetHandle sender, Interval changeInterval,
                       PartID part, RefMessage message, SClass_ID sclass, bool propagate);
    /// Sends `message` to `maker` as if its reference `sender` had sent it,
    /// passing it on to the maker's dependents when the maker answers 1.
    static void TellMaker(ReferenceMaker& maker, RefTargetHandle sender, RefMessage message);

    struct Notifier;
};
