#include "host/color_convert.h"
#include "texture/color_pipeline.h"
#include "texture/tintora_map.h"

using namespace tintora;

float TintoraMap::SlotScale(int slot, ShadingContext& sc) const {
    Texmap* sub = subTexmaps[slot];
    return sub ? sub->EvaluateMono(sc) : 1.0f;
}

// Sub-textures are evaluated at most once each, in the order of the steps:
// source, hue gain, saturation gain and offset, value gain and offset, then
// the channel offsets and gains.
ColorRGBA TintoraMap::EvaluateColor(ShadingContext& sc) {
    if (shadeTag) sc.SetShadeTag(shadeTag);

    ColorRGBA src{sourceColor.r, sourceColor.g, sourceColor.b, 1.0f};
    if (Texmap* source = subTexmaps[MAP_SOURCE]) src = source->EvaluateColor(sc);

    int h, s, v;
    RGBtoHSV(PackColor(src.r, src.g, src.b), &h, &s, &v);

    const float hueGainEff = hueGain * SlotScale(MAP_HUE_GAIN, sc);
    h = RotateHue(h, double(hueOffset) + double(hueGainEff));

    if (mono) {
        s = 0;
    } else {
        const float gain = satGain * SlotScale(MAP_SAT_GAIN, sc);
        const float offset = satOffset * SlotScale(MAP_SAT_OFFSET, sc);
        s = GainOffset8(s, gain, offset);
    }
    {
        const float gain = valGain * SlotScale(MAP_VAL_GAIN, sc);
        const float offset = valOffset * SlotScale(MAP_VAL_OFFSET, sc);
        v = GainOffset8(v, gain, offset);
    }

    const DWORD rgb = HSVtoRGB(h, s, v);

    const float rOff = rOffset * SlotScale(MAP_R_OFFSET, sc);
    const float gOff = gOffset * SlotScale(MAP_G_OFFSET, sc);
    const float bOff = bOffset * SlotScale(MAP_B_OFFSET, sc);
    const float rGn = rGain * SlotScale(MAP_R_GAIN, sc);
    const float gGn = gGain * SlotScale(MAP_G_GAIN, sc);
    const float bGn = bGain * SlotScale(MAP_B_GAIN, sc);

    const double bb = double(brightness) * 255.0;
    return {OutputChannel(SelectChannel(rSource, rgb), contrast, bb, rGn, rOff),
            OutputChannel(SelectChannel(gSource, rgb), contrast, bb, gGn, gOff),
            OutputChannel(SelectChannel(bSource, rgb), contrast, bb, bGn, bOff), src.a};
}

float TintoraMap::EvaluateMono(ShadingContext& sc) {
    const ColorRGBA c = EvaluateColor(sc);
    return (c.g + c.b + c.r) * 0.33333334f;
}

Vector3 TintoraMap::EvaluatePerturbation(ShadingContext& sc) {
    Texmap* source = subTexmaps[MAP_SOURCE];
    return source ? source->EvaluatePerturbation(sc) : Vector3{};
}
