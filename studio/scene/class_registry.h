#pragma once

// Class descriptors the scene loader can create objects through.

#include <vector>

#include "host/class_desc.h"

namespace studio {
class ModuleRegistry;
}

/// A list of class descriptors, looked up by super-class code and class id.
/// Does not own the descriptors.
class ClassRegistry {
public:
    /// Adds `desc` unless a class with the same identity is already there.
    void Add(ClassDesc* desc);
    /// The descriptor of the class, or null.
    ClassDesc* Find(SClass_ID superClass, Class_ID id) const;
    const std::vector<ClassDesc*>& All() const { return classes; }

private:
    std::vector<ClassDesc*> classes;
};

/// The studio's own classes (standard textures), consulted by the scene
/// loader before the loaded modules.
ClassRegistry& BuiltinClasses();

/// The built-in classes followed by every class the loaded modules offer:
/// what the scene loader creates objects through.
ClassRegistry StudioClasses(const studio::ModuleRegistry& modules);
