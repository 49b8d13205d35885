#pragma once

// The layout of a scene file.
//
//   8 bytes   magic "TNTSCENE"
//   4 bytes   format version, little-endian
//   chunks    (the host's chunk encoding, see studio/core/streams.h):
//     SCENE_OBJECT_CHUNK, once per object, in index order:
//       OBJECT_CLASS_CHUNK   super-class code, class id (two words), class name
//       OBJECT_REFS_CHUNK    reference count, then each target's object index (-1: none)
//       OBJECT_DATA_CHUNK    what the object's own Save wrote (for a parameter
//                            block: its descriptors, values and keys)
//     SCENE_ROOTS_CHUNK      root count, then each root's object index (-1: none)
//     SCENE_END_CHUNK        object count; marks a complete file
// Unknown chunks are skipped at every level.

#include <cstdint>

#include "host/types.h"

constexpr char SCENE_MAGIC[8] = {'T', 'N', 'T', 'S', 'C', 'E', 'N', 'E'};
constexpr std::uint32_t SCENE_FORMAT_VERSION = 1;

constexpr USHORT SCENE_OBJECT_CHUNK = 0x0100;
constexpr USHORT OBJECT_CLASS_CHUNK = 0x0110;
constexpr USHORT OBJECT_REFS_CHUNK = 0x0120;
constexpr USHORT OBJECT_DATA_CHUNK = 0x0130;
constexpr USHORT SCENE_ROOTS_CHUNK = 0x0200;
constexpr USHORT SCENE_END_CHUNK = 0x0300;

/// Identity of the studio's parameter blocks in scene files.
constexpr SClass_ID PARAM_BLOCK_SCLASS_ID = 0x0008;
constexpr Class_ID PARAM_BLOCK_CLASS_ID(0x0008, 0x54504231);

/// More references or objects than this mark a damaged file.
constexpr std::uint32_t SCENE_MAX_COUNT = 1u << 24;
/// Longest chain of references a file may hold.
constexpr std::uint32_t SCENE_MAX_DEPTH = 4096;
