#include "host/color_convert.h"
#include "texture/color_pipeline.h"
#include "texture/tintora_map.h"

using namespace tintora;

float TintoraMap::SlotScale(int slot, ShadingContext& sc) const {
    Texmap* sub = subTexmaps[slot];
    return sub ? sub->EvaluateMono(sc) : 1.0f;
}

bool TintoraMap::AllSlotsEmpty() const {
    for (const Texmap* sub : subTexmaps) {
        if (sub) return false;
    }
    return true;
}

// The cached values as they enter a sample when no slot scales them.
TintoraMap::Effective TintoraMap::CachedEffective() const {
    return {hueGain, satGain, satOffset, valGain, valOffset,
            rOffset, gOffset, bOffset, rGain, gGain, bGain};
}

// Sub-textures are evaluated at most once each, in the order of the steps:
// source, hue gain, saturation gain and offset, value gain and offset, then
// the channel offsets and gains. None of them depends on another's result,
// so the effective values are all taken before the colour is corrected.
ColorRGBA TintoraMap::EvaluateColor(ShadingContext& sc) {
    if (shadeTag) sc.SetShadeTag(shadeTag);
    if (constantColorValid && AllSlotsEmpty()) return constantColor;

    ColorRGBA src{sourceColor.r, sourceColor.g, sourceColor.b, 1.0f};
    if (Texmap* source = subTexmaps[MAP_SOURCE]) src = source->EvaluateColor(sc);

    Effective e = CachedEffective();
    e.hueGain *= SlotScale(MAP_HUE_GAIN, sc);
    if (!mono) {
        e.satGain *= SlotScale(MAP_SAT_GAIN, sc);
        e.satOffset *= SlotScale(MAP_SAT_OFFSET, sc);
    }
    e.valGain *= SlotScale(MAP_VAL_GAIN, sc);
    e.valOffset *= SlotScale(MAP_VAL_OFFSET, sc);
    e.rOffset *= SlotScale(MAP_R_OFFSET, sc);
    e.gOffset *= SlotScale(MAP_G_OFFSET, sc);
    e.bOffset *= SlotScale(MAP_B_OFFSET, sc);
    e.rGain *= SlotScale(MAP_R_GAIN, sc);
    e.gGain *= SlotScale(MAP_G_GAIN, sc);
    e.bGain *= SlotScale(MAP_B_GAIN, sc);
    return Correct(src, e);
}

// Pack, to HSV, turn the hue, scale saturation and value, back to RGB,
// re-map the channels, then contrast, brightness, gain and offset.
ColorRGBA TintoraMap::Correct(const ColorRGBA& src, const Effective& e) const {
    int h, s, v;
    RGBtoHSV(PackColor(src.r, src.g, src.b), &h, &s, &v);
    h = RotateHue(h, double(hueOffset) + double(e.hueGain));
    s = mono ? 0 : GainOffset8(s, e.satGain, e.satOffset);
    v = GainOffset8(v, e.valGain, e.valOffset);
    const DWORD rgb = HSVtoRGB(h, s, v);

    const double bb = double(brightness) * 255.0;
    return {OutputChannel(SelectChannel(rSource, rgb), contrast, bb, e.rGain, e.rOffset),
            OutputChannel(SelectChannel(gSource, rgb), contrast, bb, e.gGain, e.gOffset),
            OutputChannel(SelectChannel(bSource, rgb), contrast, bb, e.bGain, e.bOffset), src.a};
}

// With every slot empty the result is the same at every sample, so the
// update works it out once.
void TintoraMap::UpdateConstantColor() {
    constantColorValid = AllSlotsEmpty();
    if (constantColorValid)
        constantColor = Correct({sourceColor.r, sourceColor.g, sourceColor.b, 1.0f}, CachedEffective());
}

float TintoraMap::EvaluateMono(ShadingContext& sc) {
    const ColorRGBA c = EvaluateColor(sc);
    return (c.g + c.b + c.r) * 0.33333334f;
}

Vector3 TintoraMap::EvaluatePerturbation(ShadingContext& sc) {
    Texmap* source = subTexmaps[MAP_SOURCE];
    return source ? source->EvaluatePerturbation(sc) : Vector3{};
}
