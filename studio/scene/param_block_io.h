#pragma once

// Parameter blocks are the host's own objects: a scene file writes their
// descriptors, values and keys itself instead of asking a module.

#include <string>

#include "host/param_block.h"
#include "studio/scene/checked_load.h"

/// Whether `target` is one of the studio's parameter blocks.
bool IsStudioParamBlock(ReferenceTarget* target);

/// Writes the block's descriptors, version, values and keys.
IOResult SaveParamBlock(ReferenceTarget& block, ISave& out);

/// Reads a block written by SaveParamBlock from the open data chunk; null
/// with `error` set when the data is damaged.
IParamBlock* LoadParamBlock(CheckedLoad& in, std::string& error);
