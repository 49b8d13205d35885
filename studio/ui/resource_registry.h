#pragma once

// Which resources an instance handle stands for: a table registered for the
// handle (tests, or modules linked in), else the ResourceTable that the
// loaded module behind the handle exports as MODULE_RESOURCES_SYMBOL.

#include "host/resources.h"
#include "host/win32.h"

namespace studio {

/// Registers (or replaces) the table of `instance`; a null table unregisters.
void RegisterModuleResources(HINSTANCE instance, const ResourceTable* table);
void UnregisterModuleResources(HINSTANCE instance);
/// The table of `instance`, or null when there is none or its version is
/// not MODULE_RESOURCES_VERSION.
const ResourceTable* ModuleResourcesOf(HINSTANCE instance);

/// Dialog template `id` of `instance`, or null.
const ResourceDialog* FindDialogTemplate(HINSTANCE instance, int id);
/// Image `id` of `instance`, or null.
const ResourceImage* FindImage(HINSTANCE instance, int id);

}  // namespace studio
