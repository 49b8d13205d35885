#pragma once

// The shading samples of one row of pixels, set up once and reused row
// after row, for evaluating a whole row in one call.

#include <vector>

#include "studio/render/shading_context.h"

class RowSamples {
public:
    /// Samples at the centres of `width` columns, at time `t`.
    RowSamples(int width, TimeValue t) : contexts(std::size_t(width)), pointers(std::size_t(width)) {
        const float w = float(width);
        for (int x = 0; x < width; ++x) {
            StudioShadingContext& sc = contexts[std::size_t(x)];
            sc.SetTime(t);
            sc.SetUV({(float(x) + 0.5f) / w, 0.0f});
            pointers[std::size_t(x)] = &sc;
        }
    }

    /// Moves every sample to row y of `height` (row 0 at the top, v = 0 at
    /// the bottom) and answers them, ready for EvaluateColors.
    ShadingContext* const* Row(int y, int height) {
        const float v = 1.0f - (float(y) + 0.5f) / float(height);
        for (StudioShadingContext& sc : contexts) {
            const float u = sc.UV().x;
            sc.SetUV({u, v});
            sc.SetP({u, v, 0.0f});
        }
        return pointers.data();
    }
    int Count() const { return int(contexts.size()); }

private:
    std::vector<StudioShadingContext> contexts;
    std::vector<ShadingContext*> pointers;
};
