#pragma once

// Small host objects for exercising the reference system.

#include <vector>

#include "host/reference.h"

namespace test {

/// A target with a few references that records the messages it receives.
class Node : public ReferenceTarget {
public:
    struct Heard {
        RefTargetHandle sender;
        RefMessage message;
    };

    explicit Node(int refs = 2, int* destroyed = nullptr)
        : slots(std::size_t(refs), nullptr), destroyCount(destroyed) {}
    ~Node() override {
        if (destroyCount)
            ++*destroyCount;
    }

    int NumRefs() override { return int(slots.size()); }
    RefTargetHandle GetReference(int i) override { return slots[std::size_t(i)]; }
    void SetReference(int i, RefTargetHandle target) override {
        slots[std::size_t(i)] = target;
        ++setReferenceCalls;
    }
    RefResult OnReferenceMessage(Interval, RefTargetHandle sender, PartID&,
                                 RefMessage message) override {
        heard.push_back({sender, message});
        return answer;
    }
    ReferenceTarget* Clone(RemapDir& remap) override {
        auto* copy = new Node(int(slots.size()), destroyCount);
        for (std::size_t i = 0; i < slots.size(); ++i)
            if (slots[i])
                copy->ReplaceReference(int(i), remap.CloneTarget(slots[i]));
        ++cloneCalls;
        return copy;
    }

    std::vector<RefTargetHandle> slots;
    std::vector<Heard> heard;
    RefResult answer = REF_SUCCEED;
    int setReferenceCalls = 0;
    int cloneCalls = 0;
    int* destroyCount;
};

}  // namespace test
