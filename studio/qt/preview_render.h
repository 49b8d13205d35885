#pragma once

// The pictures of the preview: the texture flat on a square swatch, and on
// a lit sphere. Rendering stops between rows as soon as `stop` answers true.

#include <functional>

#include <QImage>

#include "host/mtl_base.h"

namespace studio::qt {

using StopCheck = std::function<bool()>;

/// The texture over the unit square, u to the right and v upwards, over a
/// checkerboard where it is transparent. Null when cancelled.
QImage RenderSwatch(Texmap& texture, TimeValue t, int size, const StopCheck& stop);

/// A sphere seen from the front, the texture wrapped around it (u around,
/// v from pole to pole), lit by a key light with a highlight. Null when cancelled.
QImage RenderSphere(Texmap& texture, TimeValue t, int size, const StopCheck& stop);

}  // namespace studio::qt
