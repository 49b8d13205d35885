#pragma once

// The reference system: makers hold numbered references to targets; targets
// know their dependents and tell them of changes by reference messages.

#include <cstdint>
#include <vector>

#include "host/io.h"
#include "host/types.h"

class ReferenceTarget;
class RemapDir;
using RefTargetHandle = ReferenceTarget*;

/// A reference message number (80: the sender changed).
using RefMessage = unsigned int;
/// A message's part argument; pointer-sized, since some messages pass the
/// address of a query record in it.
using PartID = std::uintptr_t;
/// Answer to a reference message: 1 lets the message travel on, 3 stops it.
using RefResult = int;
constexpr RefResult REF_SUCCEED = 1;
constexpr RefResult REF_STOP = 3;

/// Anything the host can animate, list and name.
class HOST_API Animatable {
public:
    virtual ~Animatable();
    virtual void FillClassName(CStr& name) { name = ""; }
    virtual Class_ID ClassID() { return Class_ID(); }
    virtual SClass_ID SuperClassCode() { return 0; }
    virtual void DeleteThis() { delete this; }
    virtual int SubAnimCount() { return 0; }
    virtual Animatable* GetSubAnim(int) { return nullptr; }
    virtual CStr SubAnimName(int) { return CStr(); }
    virtual int SubAnimToRef(int) { return -1; }
};

/// An object that holds references.
class HOST_API ReferenceMaker : public Animatable {
public:
    ReferenceMaker() = default;
    ReferenceMaker(const ReferenceMaker&) = delete;
    ReferenceMaker& operator=(const ReferenceMaker&) = delete;
    /// Drops every reference this maker still holds.
    ~ReferenceMaker() override;

    virtual int NumRefs() { return 0; }
    virtual RefTargetHandle GetReference(int) { return nullptr; }
    /// Stores `target` as reference i; called by the reference system only.
    virtual void SetReference(int, RefTargetHandle) {}
    virtual RefResult OnReferenceMessage(Interval changeInterval, RefTargetHandle sender,
                                         PartID& part, RefMessage message) = 0;
    virtual IOResult Save(ISave*) { return IO_OK; }
    virtual IOResult Load(ILoad*) { return IO_OK; }

    /// Makes `target` reference i: calls SetReference(i, target), registers
    /// this maker as a dependent of `target` and drops the old target. A
    /// dropped target left without dependents is deleted when `deleteOld` is
    /// non-zero (kept alive by the undo stack while a hold records it).
    /// Recorded for undo while theHold holds.
    RefResult ReplaceReference(int i, RefTargetHandle target, int deleteOld = 1);
    /// Same as ReplaceReference(i, nullptr).
    RefResult DeleteReference(int i);
    /// Drops every reference of this maker.
    void DeleteAllRefsFromMe();

private:
    friend class ReferenceTarget;
    friend struct RefBookkeeping;
    // What this maker holds, as the reference system set it; kept apart from
    // GetReference so that the destructor can drop references without
    // calling into a derived class that is already gone.
    std::vector<RefTargetHandle> held;
};

/// An object that others can reference.
class HOST_API ReferenceTarget : public ReferenceMaker {
public:
    ReferenceTarget() = default;
    /// Clears every reference that still points at this target.
    ~ReferenceTarget() override;

    virtual ReferenceTarget* Clone(RemapDir&) { return nullptr; }

    /// Sends `message` to every dependent. When `propagate` is non-zero, a
    /// dependent that answers 1 passes it on to its own dependents; an answer
    /// of 3 stops it there. `target` null means this object is the sender.
    RefResult NotifyDependents(Interval changeInterval, PartID part, RefMessage message,
                               SClass_ID sclass = 0xfffffff0, int propagate = 1,
                               RefTargetHandle target = nullptr);

    /// The makers that hold a reference to this target, each once.
    const std::vector<ReferenceMaker*>& Dependents() const { return dependents; }

private:
    friend class ReferenceMaker;
    friend struct RefBookkeeping;
    std::vector<ReferenceMaker*> dependents;
};

/// Clones a graph of targets so that a target reached twice is cloned once.
class RemapDir {
public:
    virtual ~RemapDir() = default;
    /// The clone of `target` for this clone operation (null for null).
    virtual RefTargetHandle CloneTarget(RefTargetHandle target) = 0;
};
