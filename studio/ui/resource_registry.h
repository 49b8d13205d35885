#pragma once

// Which module's resources an instance handle stands for. The module loader
// registers each module's exported ResourceTable (MODULE_RESOURCES_SYMBOL)
// under the instance handle it gives the module, and unregisters it before
// unloading; tests register tables of their own.

#include "host/resources.h"
#include "host/win32.h"

namespace studio {

/// Registers (or replaces) the table of `instance`; a null table unregisters.
void RegisterModuleResources(HINSTANCE instance, const ResourceTable* table);
void UnregisterModuleResources(HINSTANCE instance);
/// The table of `instance`, or null when none is registered or its version
/// is not MODULE_RESOURCES_VERSION.
const ResourceTable* ModuleResourcesOf(HINSTANCE instance);

/// Dialog template `id` of `instance`, or null.
const ResourceDialog* FindDialogTemplate(HINSTANCE instance, int id);
/// Image `id` of `instance`, or null.
const ResourceImage* FindImage(HINSTANCE instance, int id);

}  // namespace studio
