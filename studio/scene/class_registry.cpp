#include "studio/scene/class_registry.h"

void ClassRegistry::Add(ClassDesc* desc) {
    if (desc && !Find(desc->SuperClassCode(), desc->DescClassID())) classes.push_back(desc);
}

ClassDesc* ClassRegistry::Find(SClass_ID superClass, Class_ID id) const {
    for (ClassDesc* desc : classes)
        if (desc->SuperClassCode() == superClass && desc->DescClassID() == id) return desc;
    return nullptr;
}

ClassRegistry& BuiltinClasses() {
    static ClassRegistry builtins;
    return builtins;
}
