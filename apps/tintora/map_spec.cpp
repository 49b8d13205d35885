#include "apps/tintora/map_spec.h"

#include <vector>

#include "apps/tintora/errors.h"
#include "apps/tintora/names.h"
#include "apps/tintora/values.h"

namespace tintora_cli {

const char* const MAP_SPEC_HELP =
    "SPEC is an image path, constant:V, constant:R,G,B, checker[:R,G,B:R,G,B[:TILES]], "
    "noise[:SCALE], gradient or none";

namespace {

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t at = text.find(':'); at != std::string_view::npos; at = text.find(':', start)) {
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

[[noreturn]] void BadSpec(std::string_view spec, std::string_view expected) {
    throw UsageError("malformed map \"" + std::string(spec) + "\": expected " + std::string(expected));
}

MapSpec Constant(std::string_view spec, const std::vector<std::string_view>& fields) {
    if (fields.size() != 2) BadSpec(spec, "constant:V or constant:R,G,B");
    MapSpec map = MapSpec::Of(MapSpec::Kind::Constant);
    if (fields[1].find(',') == std::string_view::npos) {
        const float v = ParseFloat(fields[1], "constant value");
        map.color1 = Color(v, v, v);
    } else {
        map.color1 = ParseColor(fields[1], "constant colour");
    }
    return map;
}

MapSpec Checker(std::string_view spec, const std::vector<std::string_view>& fields) {
    if (fields.size() == 2 || fields.size() > 4) BadSpec(spec, "checker, checker:R,G,B:R,G,B or checker:R,G,B:R,G,B:TILES");
    MapSpec map = MapSpec::Of(MapSpec::Kind::Checker);
    if (fields.size() >= 3) {
        map.hasColors = true;
        map.color1 = ParseColor(fields[1], "checker colour");
        map.color2 = ParseColor(fields[2], "checker colour");
    }
    if (fields.size() == 4) map.tiles = ParseFloat(fields[3], "checker tiles");
    return map;
}

MapSpec Noise(std::string_view spec, const std::vector<std::string_view>& fields) {
    if (fields.size() > 2) BadSpec(spec, "noise or noise:SCALE");
    MapSpec map = MapSpec::Of(MapSpec::Kind::Noise);
    if (fields.size() == 2) map.scale = ParseFloat(fields[1], "noise scale");
    return map;
}

MapSpec Bare(std::string_view spec, const std::vector<std::string_view>& fields, MapSpec::Kind kind) {
    if (fields.size() != 1) BadSpec(spec, std::string(fields[0]) + " without settings");
    return MapSpec::Of(kind);
}

}  // namespace

MapSpec ParseMapSpec(std::string_view spec) {
    if (spec.empty()) BadSpec(spec, MAP_SPEC_HELP);
    const std::vector<std::string_view> fields = Fields(spec);
    const std::string_view kind = fields[0];
    if (kind == "constant") return Constant(spec, fields);
    if (kind == "checker") return Checker(spec, fields);
    if (kind == "noise") return Noise(spec, fields);
    if (kind == "gradient") return Bare(spec, fields, MapSpec::Kind::Gradient);
    if (kind == "none") return Bare(spec, fields, MapSpec::Kind::None);
    // Anything else names an image file (write ./noise for a file called noise).
    return MapSpec::Of(MapSpec::Kind::Image, std::string(spec));
}

MapAssignment ParseMapAssignment(std::string_view text) {
    const auto [slotName, spec] = SplitAssignment(text, "map");
    return {FindSlot(slotName), ParseMapSpec(spec)};
}

}  // namespace tintora_cli
