// Texture categories the host shows in its texture chooser.

#include "host/class_desc.h"

const char* const TEXMAP_CAT_COLMOD = "Color Mods";
