#include "studio/scene/class_registry.h"

#include "studio/core/module_loader.h"

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

ClassRegistry StudioClasses(const studio::ModuleRegistry& modules) {
    ClassRegistry classes = BuiltinClasses();
    for (ClassDesc* desc : modules.Classes()) classes.Add(desc);
    return classes;
}
