// tintora info: the module, its class and the parameter and slot tables.

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "apps/tintora/commands.h"
#include "apps/tintora/errors.h"
#include "apps/tintora/names.h"
#include "apps/tintora/number_format.h"
#include "apps/tintora/session.h"
#include "texture/param_table.h"

namespace tintora_cli {

namespace {

struct ParamRow {
    int index;
    std::string name, type, defaultValue, unit;
    bool animatable;
};

struct SlotRow {
    int index;
    std::string name, slotName, drives;
};

const char* TypeName(int typeCode) {
    switch (typeCode) {
    case TYPE_FLOAT: return "float";
    case TYPE_INT: return "int";
    case TYPE_RGBA: return "color";
    case TYPE_BOOL: return "bool";
    default: return "unknown";
    }
}

std::string ClassIdText(Class_ID id) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08X, 0x%08X", unsigned(id.PartA()), unsigned(id.PartB()));
    return text;
}

// Defaults as a new texture from the module holds them.
std::vector<ParamRow> ParamRows(Texmap& fresh) {
    std::vector<ParamRow> rows;
    for (int i = 0; i < TINTORA_NUM_PARAMS; ++i)
        rows.push_back({i, ParamKey(i), TypeName(TintoraParamDesc[i].type),
                        FormatSettingValue(i, ReadParam(fresh, i, 0)), TintoraParams[i].unit,
                        TintoraParamDesc[i].animatable != 0});
    return rows;
}

std::vector<SlotRow> SlotRows(Texmap& fresh) {
    std::vector<SlotRow> rows;
    for (int slot = 0; slot < TINTORA_NUM_SLOTS; ++slot) {
        const auto driven = std::find_if(std::begin(TintoraParams), std::end(TintoraParams),
                                         [slot](const TintoraParamInfo& p) { return p.slot == slot; });
        rows.push_back({slot, SlotKey(slot), fresh.GetSubTexmapSlotName(slot).str(),
                        driven == std::end(TintoraParams) ? "" : driven->key});
    }
    return rows;
}

const studio::LoadedModule* ModuleOf(const Session& session) {
    for (const auto& module : session.Modules().Modules())
        if (std::ranges::find(module->classes, &session.TintoraClass()) != module->classes.end())
            return module.get();
    return nullptr;
}

void PrintJson(const studio::LoadedModule& module, ClassDesc& desc, const std::vector<ParamRow>& params,
               const std::vector<SlotRow>& slots) {
    nlohmann::json out;
    out["module"] = {{"description", module.description}, {"version", module.version}, {"path", module.path}};
    out["class"] = {{"name", desc.ClassNameText()},
                    {"class_id", ClassIdText(desc.DescClassID())},
                    {"category", desc.CategoryText()},
                    {"super_class", desc.SuperClassCode()}};
    for (const ParamRow& p : params)
        out["parameters"].push_back({{"index", p.index}, {"name", p.name}, {"type", p.type},
                                     {"default", p.defaultValue}, {"unit", p.unit},
                                     {"animatable", p.animatable}});
    for (const SlotRow& s : slots)
        out["slots"].push_back({{"index", s.index}, {"name", s.name}, {"slot_name", s.slotName},
                                {"drives", s.drives}});
    std::cout << out.dump(2) << '\n';
}

void PrintText(const studio::LoadedModule& module, ClassDesc& desc, const std::vector<ParamRow>& params,
               const std::vector<SlotRow>& slots) {
    std::printf("module    %s, version %u\n          %s\n", module.description.c_str(),
                unsigned(module.version), module.path.c_str());
    std::printf("class     %s (%s), category %s, super-class %u\n\n", desc.ClassNameText(),
                ClassIdText(desc.DescClassID()).c_str(), desc.CategoryText(), unsigned(desc.SuperClassCode()));
    std::printf("%-5s  %-12s  %-5s  %-7s  %-7s  %s\n", "index", "parameter", "type", "default", "unit",
                "animatable");
    for (const ParamRow& p : params)
        std::printf("%5d  %-12s  %-5s  %-7s  %-7s  %s\n", p.index, p.name.c_str(), p.type.c_str(),
                    p.defaultValue.c_str(), p.unit.c_str(), p.animatable ? "yes" : "no");
    std::printf("\n%-5s  %-10s  %-15s  %s\n", "index", "slot", "slot name", "drives");
    for (const SlotRow& s : slots)
        std::printf("%5d  %-10s  %-15s  %s\n", s.index, s.name.c_str(), s.slotName.c_str(), s.drives.c_str());
}

}  // namespace

void AddInfoCommand(CLI::App& app, const GlobalOptions& global) {
    auto* command = app.add_subcommand("info", "Describe the Tintora module, its parameters and slots");
    auto json = std::make_shared<bool>(false);
    command->add_flag("--json", *json, "Print JSON");
    command->footer("Examples:\n  tintora info\n  tintora info --json\n  tintora info --plugins build/plugins");
    command->callback([&global, json] {
        Session session(PluginFolder(global.plugins));
        Texmap& fresh = session.NewTintora();
        const studio::LoadedModule* module = ModuleOf(session);
        if (!module) throw WorkError("the Tintora class belongs to no loaded module");
        const auto params = ParamRows(fresh);
        const auto slots = SlotRows(fresh);
        if (*json)
            PrintJson(*module, session.TintoraClass(), params, slots);
        else
            PrintText(*module, session.TintoraClass(), params, slots);
    });
}

}  // namespace tintora_cli
