#include "fuzz/fuzz_classes.h"

#include "module/tintora_class_desc.h"
#include "studio/textures/standard_classes.h"

const ClassRegistry& FuzzClasses() {
    static const ClassRegistry classes = [] {
        ClassRegistry registry;
        RegisterStandardTextures(registry);
        registry.Add(&TintoraClassDesc);
        return registry;
    }();
    return classes;
}
