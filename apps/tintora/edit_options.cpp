#include "apps/tintora/commands.h"
#include "apps/tintora/names.h"

namespace tintora_cli {

namespace {

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

std::vector<Setting> TextureEdits::Settings() const {
    std::vector<Setting> parsed;
    for (const std::string& text : sets) parsed.push_back(ParseSetting(text));
    return parsed;
}

std::vector<MapAssignment> TextureEdits::Maps() const {
    std::vector<MapAssignment> parsed;
    for (const std::string& text : maps) parsed.push_back(ParseMapAssignment(text));
    return parsed;
}

void AddEditOptions(CLI::App& command, TextureEdits& edits) {
    command.add_option("--set", edits.sets,
                       "Set a parameter, NAME=VALUE, in stored units (degrees, percent; colours R,G,B; "
                       "flags on/off; channels red/green/blue). Names: " + Listed(ParamKeys()))
        ->type_name("NAME=VALUE")
        ->allow_extra_args(false);
    command.add_option("--map", edits.maps,
                       "Put a texture in a slot, SLOT=SPEC. " + std::string(MAP_SPEC_HELP) +
                           ". Slots: " + Listed(SlotKeys()))
        ->type_name("SLOT=SPEC")
        ->allow_extra_args(false);
}

}  // namespace tintora_cli
