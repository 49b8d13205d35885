#pragma once

// What a scene keeps of an object whose class is not loaded, so that saving
// the scene again writes it back unchanged.

#include <memory>
#include <string>
#include <vector>

#include "host/reference.h"
#include "studio/core/streams.h"

class UnknownObject final : public ReferenceMaker {
public:
    UnknownObject(SClass_ID superClass, Class_ID id, std::string className, studio::Bytes data);

    SClass_ID SuperClass() const { return superClass; }
    Class_ID ClassId() const { return classId; }
    const std::string& ClassName() const { return className; }
    /// The payload of the object's data chunk, exactly as it was read.
    const studio::Bytes& Data() const { return data; }
    /// "Tintora (0x57EE53DC, 0x134F5A34)".
    std::string Describe() const;

    /// Its own references, in order: each a known target, another unknown
    /// object, or nothing.
    int LinkCount() const { return int(unknownLinks.size()); }
    /// Adds the next link; every link comes before the first parent.
    void AddLink(RefTargetHandle known, UnknownObject* unknown);
    RefTargetHandle KnownLink(int i) { return slots[std::size_t(i)]; }
    UnknownObject* UnknownLink(int i) const { return unknownLinks[std::size_t(i)]; }

    /// Remembers that reference `refIndex` of `parent` pointed here; holding
    /// `parent` keeps it alive while the remembrance lasts.
    void AddParent(RefTargetHandle parent, int refIndex);
    /// Whether reference `refIndex` of `maker` pointed here.
    bool WasReferencedBy(ReferenceMaker* maker, int refIndex);
    /// Remembers that root `root` of the scene was this object.
    void AddRootPlace(int root) { rootPlaces.push_back(root); }
    bool WasRoot(int root) const;

    int NumRefs() override { return int(slots.size()); }
    RefTargetHandle GetReference(int i) override { return slots[std::size_t(i)]; }
    void SetReference(int i, RefTargetHandle target) override { slots[std::size_t(i)] = target; }
    RefResult OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage) override {
        return REF_SUCCEED;
    }

private:
    SClass_ID superClass;
    Class_ID classId;
    std::string className;
    studio::Bytes data;
    // slots[0 .. links) are the links, the rest the parents.
    std::vector<RefTargetHandle> slots;
    std::vector<UnknownObject*> unknownLinks;
    std::vector<int> parentRefIndex;
    std::vector<int> rootPlaces;
};
