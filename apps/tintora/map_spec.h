#pragma once

// Sub-texture specs: what people write after SLOT= to fill a slot.
//   PATH                          an image file, shown by a bitmap texture
//   constant:V | constant:R,G,B   one colour
//   checker[:R,G,B:R,G,B[:TILES]] two colours in squares
//   noise[:SCALE]                 smooth noise, black to white
//   gradient                      black to white along u
//   none                          an empty slot

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "host/types.h"

namespace tintora_cli {

struct MapSpec {
    enum class Kind { None, Image, Constant, Checker, Noise, Gradient };
    Kind kind = Kind::None;
    std::string path;                     ///< Image
    Color color1, color2;                 ///< Constant (color1), Checker
    bool hasColors = false;               ///< Checker: colours given
    std::optional<float> tiles, scale;    ///< Checker tiles, Noise scale, when given

    static MapSpec Of(Kind kind, std::string path = {}) {
        MapSpec spec;
        spec.kind = kind;
        spec.path = std::move(path);
        return spec;
    }
};

MapSpec ParseMapSpec(std::string_view spec);

/// SLOT=SPEC
struct MapAssignment {
    int slot = 0;
    MapSpec spec;
};
MapAssignment ParseMapAssignment(std::string_view text);

/// The forms above, for help texts.
extern const char* const MAP_SPEC_HELP;

}  // namespace tintora_cli
