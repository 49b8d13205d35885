#pragma once

// Turning map specs into the studio's standard textures, and back into text.

#include <string>

#include "apps/tintora/map_spec.h"
#include "host/mtl_base.h"

namespace tintora_cli {

/// A new texture for `spec` (null for none). An image that cannot be read
/// is a WorkError naming the file.
Texmap* CreateMap(const MapSpec& spec);

/// How a slot's texture reads as a spec at time t ("checker:0,0,0:1,1,1:2",
/// an image path); textures without a spec form give their class name.
std::string DescribeMap(Texmap* map, TimeValue t);

}  // namespace tintora_cli
