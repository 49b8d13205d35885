#include "studio/scene/unknown_object.h"

#include <cstdio>

UnknownObject::UnknownObject(SClass_ID sclass, Class_ID id, std::string name, studio::Bytes bytes)
    : superClass(sclass), classId(id), className(std::move(name)), data(std::move(bytes)) {}

std::string UnknownObject::Describe() const {
    char id[40];
    std::snprintf(id, sizeof id, "(0x%08X, 0x%08X)", unsigned(classId.PartA()), unsigned(classId.PartB()));
    return (className.empty() ? std::string("unnamed class") : "\"" + className + "\"") + " " + id;
}

void UnknownObject::AddLink(RefTargetHandle known, UnknownObject* unknown) {
    const int i = LinkCount();
    slots.push_back(nullptr);
    unknownLinks.push_back(unknown);
    if (known) ReplaceReference(i, known);
}

void UnknownObject::AddParent(RefTargetHandle parent, int refIndex) {
    slots.push_back(nullptr);
    parentRefIndex.push_back(refIndex);
    ReplaceReference(int(slots.size()) - 1, parent);
}

bool UnknownObject::WasReferencedBy(ReferenceMaker* maker, int refIndex) {
    for (std::size_t k = 0; k < parentRefIndex.size(); ++k)
        if (parentRefIndex[k] == refIndex && slots[unknownLinks.size() + k] == maker) return true;
    return false;
}

bool UnknownObject::WasRoot(int root) const {
    for (int place : rootPlaces)
        if (place == root) return true;
    return false;
}
