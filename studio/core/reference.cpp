// The reference system: bookkeeping of makers, targets and dependents,
// deletion of orphaned targets, and message propagation.

#include "host/reference.h"

#include <algorithm>

#include "studio/core/ref_change_record.h"
#include "studio/core/ref_bookkeeping.h"
#include "studio/core/undo_stack.h"

namespace {

constexpr RefResult kRefFail = 0;
constexpr SClass_ID kAllClasses = 0xfffffff0;

template <typename T>
bool Contains(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Targets inside NotifyDependents on this thread, so that one destroyed by a
// dependent's answer is not touched again.
thread_local std::vector<const ReferenceTarget*> notifying;
thread_local std::vector<const ReferenceTarget*> destroyedWhileNotifying;

struct Wave {
    Interval changeInterval;
    PartID part;
    RefMessage message;
    SClass_ID sclass;
    bool propagate;
    std::vector<const ReferenceTarget*> visited;  // each target forwards once
};

bool Alive(const ReferenceTarget* target) {
    return !Contains(destroyedWhileNotifying, target);
}

}  // namespace

// Walks the dependency graph upward; a target that already forwarded this
// message is not visited again, which ends cycles and repeated diamonds.
struct RefBookkeeping::Notifier {
    static void Send(ReferenceTarget& from, RefTargetHandle sender, Wave& wave) {
        if (Contains(wave.visited, static_cast<const ReferenceTarget*>(&from)))
            return;
        wave.visited.push_back(&from);
        notifying.push_back(&from);
        const std::vector<ReferenceMaker*> dependents = from.dependents;
        for (ReferenceMaker* dependent : dependents) {
            if (!Alive(&from))
                break;
            if (!Contains(from.dependents, dependent))
                continue;  // dropped by an earlier answer
            if (wave.sclass != kAllClasses && dependent->SuperClassCode() != wave.sclass)
                continue;
            PartID part = wave.part;
            const RefResult answer =
                dependent->OnReferenceMessage(wave.changeInterval, sender, part, wave.message);
            if (!wave.propagate || answer != REF_SUCCEED || !Alive(&from) ||
                !Contains(from.dependents, dependent))
                continue;
            if (auto* next = dynamic_cast<ReferenceTarget*>(dependent))
                Send(*next, next, wave);
        }
        notifying.pop_back();
        if (notifying.empty())
            destroyedWhileNotifying.clear();
    }
};

bool RefBookkeeping::DependsOn(const ReferenceTarget* target, const ReferenceMaker* maker) {
    std::vector<const ReferenceMaker*> pending{target};
    std::vector<const ReferenceMaker*> seen;
    while (!pending.empty()) {
        const ReferenceMaker* next = pending.back();
        pending.pop_back();
        if (next == maker)
            return true;
        if (Contains(seen, next))
            continue;
        seen.push_back(next);
        for (RefTargetHandle held : next->held)
            if (held)
                pending.push_back(held);
    }
    return false;
}

RefTargetHandle RefBookkeeping::Held(const ReferenceMaker& maker, int i) {
    return std::size_t(i) < maker.held.size() ? maker.held[std::size_t(i)] : nullptr;
}

RefTargetHandle RefBookkeeping::Assign(ReferenceMaker& maker, int i, RefTargetHandle target) {
    if (maker.held.size() <= std::size_t(i))
        maker.held.resize(std::size_t(i) + 1, nullptr);
    RefTargetHandle old = maker.held[std::size_t(i)];
    maker.SetReference(i, target);
    maker.held[std::size_t(i)] = target;
    if (target && !Contains(target->dependents, &maker))
        target->dependents.push_back(&maker);
    if (old && old != target && !Contains(maker.held, old))
        std::erase(old->dependents, &maker);
    return old;
}

bool RefBookkeeping::Orphaned(const ReferenceTarget* target) {
    return target && target->dependents.empty();
}

void RefBookkeeping::Notify(ReferenceTarget& from, RefTargetHandle sender, Interval changeInterval,
                            PartID part, RefMessage message, SClass_ID sclass, bool propagate) {
    Wave wave{changeInterval, part, message, sclass, propagate, {}};
    Notifier::Send(from, sender, wave);
}

void RefBookkeeping::TellMaker(ReferenceMaker& maker, RefTargetHandle sender, RefMessage message) {
    PartID part = kPartAll;
    const RefResult answer = maker.OnReferenceMessage(WHOLE_INTERVAL, sender, part, message);
    if (answer != REF_SUCCEED)
        return;
    if (auto* target = dynamic_cast<ReferenceTarget*>(&maker))
        target->NotifyDependents(WHOLE_INTERVAL, kPartAll, message);
}

Animatable::~Animatable() = default;

ReferenceMaker::~ReferenceMaker() {
    studio::TheUndoStack().ObjectDestroyed(this);
    // Derived parts are gone: drop what `held` records without calling
    // SetReference, and delete targets that nobody holds any more.
    std::vector<RefTargetHandle> targets = std::move(held);
    held.clear();
    for (auto it = targets.begin(); it != targets.end(); ++it) {
        RefTargetHandle target = *it;
        // A target held in several slots is dropped once: after that it may be gone.
        if (!target || std::find(targets.begin(), it, target) != it ||
            !Contains(target->dependents, static_cast<ReferenceMaker*>(this)))
            continue;
        std::erase(target->dependents, this);
        if (target != this && target->dependents.empty())
            target->DeleteThis();
    }
}

RefResult ReferenceMaker::ReplaceReference(int i, RefTargetHandle target, int deleteOld) {
    // A loop of references could never be released nor notified sensibly.
    if (i < 0 || (target && RefBookkeeping::DependsOn(target, this)))
        return kRefFail;
    RefTargetHandle old = RefBookkeeping::Held(*this, i);
    if (old == target) {
        SetReference(i, target);
        return REF_SUCCEED;
    }
    RefBookkeeping::Assign(*this, i, target);
    studio::UndoStack& undo = studio::TheUndoStack();
    if (undo.Holding()) {
        // The record keeps a dropped target alive and takes it over.
        undo.Put(new studio::RefChangeRecord(*this, i, old, target, deleteOld != 0));
    } else if (deleteOld && RefBookkeeping::Orphaned(old)) {
        old->DeleteThis();
    }
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteReference(int i) { return ReplaceReference(i, nullptr, 1); }

void ReferenceMaker::DeleteAllRefsFromMe() {
    for (std::size_t i = 0; i < held.size(); ++i)
        if (held[i])
            DeleteReference(int(i));
}

ReferenceTarget::~ReferenceTarget() {
    studio::TheUndoStack().ObjectDestroyed(this);
    if (Contains(notifying, static_cast<const ReferenceTarget*>(this)))
        destroyedWhileNotifying.push_back(this);
    const std::vector<ReferenceMaker*> makers = std::move(dependents);
    dependents.clear();
    for (ReferenceMaker* maker : makers) {
        for (std::size_t i = 0; i < maker->held.size(); ++i) {
            if (maker->held[i] != this)
                continue;
            if (maker != this)
                maker->SetReference(int(i), nullptr);
            maker->held[i] = nullptr;
        }
    }
}

RefResult ReferenceTarget::NotifyDependents(Interval changeInterval, PartID part,
                                            RefMessage message, SClass_ID sclass, int propagate,
                                            RefTargetHandle target) {
    RefBookkeeping::Notify(*this, target ? target : this, changeInterval, part, message, sclass,
                           propagate != 0);
    return REF_SUCCEED;
}
