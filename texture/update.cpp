#include "texture/tintora_map.h"

#include <utility>

namespace {

// Working units: hue angles in turns, percentages as fractions. Each product
// is formed in single precision, so 360 degrees is exactly 1 turn and 100
// percent exactly 1.
constexpr float kPerDegree = 1.0f / 360.0f;
constexpr float kPerPercent = 0.01f;

}  // namespace

void TintoraMap::Update(TimeValue t, Interval& valid) {
    if (!cacheInterval.InInterval(t)) {
        cacheInterval = WHOLE_INTERVAL;
        paramBlock->GetValue(PB_SOURCE_COLOR, t, sourceColor, cacheInterval);
        sourceColor.ClampMinMax();

        for (Texmap* sub : subTexmaps) {
            if (sub) sub->Update(t, cacheInterval);
        }

        struct FloatField {
            int param;
            float* field;
            float scale;
        };
        const FloatField floats[] = {
            {PB_BRIGHTNESS, &brightness, kPerPercent}, {PB_HUE_OFFSET, &hueOffset, kPerDegree},
            {PB_HUE_GAIN, &hueGain, kPerDegree},       {PB_SAT_OFFSET, &satOffset, kPerPercent},
            {PB_SAT_GAIN, &satGain, kPerPercent},      {PB_VAL_OFFSET, &valOffset, kPerPercent},
            {PB_VAL_GAIN, &valGain, kPerPercent},      {PB_R_OFFSET, &rOffset, kPerPercent},
            {PB_R_GAIN, &rGain, kPerPercent},          {PB_G_OFFSET, &gOffset, kPerPercent},
            {PB_G_GAIN, &gGain, kPerPercent},          {PB_B_OFFSET, &bOffset, kPerPercent},
            {PB_B_GAIN, &bGain, kPerPercent},
        };
        for (const FloatField& f : floats) {
            paramBlock->GetValue(f.param, t, *f.field, cacheInterval);
            *f.field *= f.scale;
        }

        const std::pair<int, int*> ints[] = {
            {PB_R_SOURCE, &rSource}, {PB_G_SOURCE, &gSource}, {PB_B_SOURCE, &bSource},
            {PB_INVERT, &invert},    {PB_MONO, &mono},        {PB_COLORIZE, &colorize},
        };
        for (const auto& [param, field] : ints)
            paramBlock->GetValue(param, t, *field, cacheInterval);

        // Invert acts on the colour only through the sign of the contrast.
        paramBlock->GetValue(PB_CONTRAST, t, contrast, cacheInterval);
        contrast *= invert ? -kPerPercent : kPerPercent;
        UpdateFixedCorrection();
        UpdateConstantColor();
    }
    valid &= cacheInterval;
}

Interval TintoraMap::Validity(TimeValue t) {
    Interval scratch = EMPTY_INTERVAL;
    Update(t, scratch);
    return cacheInterval;
}
