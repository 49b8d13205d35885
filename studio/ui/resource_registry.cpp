#include "studio/ui/resource_registry.h"

#include <map>

#include "studio/core/module_loader.h"

namespace studio {
namespace {

std::map<HINSTANCE, const ResourceTable*>& Tables() {
    static std::map<HINSTANCE, const ResourceTable*> tables;
    return tables;
}

}  // namespace

void RegisterModuleResources(HINSTANCE instance, const ResourceTable* table) {
    if (!table) UnregisterModuleResources(instance);
    else Tables()[instance] = table;
}

void UnregisterModuleResources(HINSTANCE instance) { Tables().erase(instance); }

const ResourceTable* ModuleResourcesOf(HINSTANCE instance) {
    const auto found = Tables().find(instance);
    const ResourceTable* table = found != Tables().end()
                                     ? found->second
                                     : static_cast<const ResourceTable*>(ModuleSymbol(instance, MODULE_RESOURCES_SYMBOL));
    return table && table->version == MODULE_RESOURCES_VERSION ? table : nullptr;
}

const ResourceDialog* FindDialogTemplate(HINSTANCE instance, int id) {
    const ResourceTable* table = ModuleResourcesOf(instance);
    for (int i = 0; table && i < table->dialogCount; ++i)
        if (table->dialogs[i].id == id) return &table->dialogs[i];
    return nullptr;
}

const ResourceImage* FindImage(HINSTANCE instance, int id) {
    const ResourceTable* table = ModuleResourcesOf(instance);
    for (int i = 0; table && i < table->imageCount; ++i)
        if (table->images[i].id == id) return &table->images[i];
    return nullptr;
}

}  // namespace studio
