#include <limits>

#include "host/color_convert.h"
#include "texture/color_pipeline.h"
#include "texture/tintora_map.h"

using namespace tintora;

float TintoraMap::SlotScale(int slot, ShadingContext& sc) const {
    Texmap* sub = subTexmaps[slot];
    return sub ? sub->EvaluateMono(sc) : 1.0f;
}

bool TintoraMap::AllSlotsEmpty() const { return !subTexmaps[MAP_SOURCE] && ScalingSlotsEmpty(); }

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
    if (fixedCorrectionValid && ScalingSlotsEmpty()) return CorrectFixed(src);

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

// The same steps as Correct() with the cached values: the host converts to
// hue, saturation and value and back, the update's tables do the rest.
ColorRGBA TintoraMap::CorrectFixed(const ColorRGBA& src) const {
    ColorRGBA out = src;
    if (!CorrectFixedWord(PackColor(src.r, src.g, src.b), out)) return Correct(src, CachedEffective());
    return out;
}

bool TintoraMap::CorrectFixedWord(DWORD word, ColorRGBA& out) const {
    int h, s, v;
    RGBtoHSV(word, &h, &s, &v);
    if (!FixedCorrection::InTable(h, s, v)) return false;
    const FixedCorrection& f = fixedCorrection;
    const DWORD rgb = HSVtoRGB(f.hue[h], f.sat[s], f.val[v]);
    out.r = f.out[0][(rgb >> f.shift[0]) & 0xff];
    out.g = f.out[1][(rgb >> f.shift[1]) & 0xff];
    out.b = f.out[2][(rgb >> f.shift[2]) & 0xff];
    return true;
}

// The corrected colour depends on the packed word alone, so a run of equal
// words (flat areas of an image) is converted once; a run of equal channels
// is not even packed again, as equal channels pack alike.
void TintoraMap::CorrectFixedColours(ColorRGBA* colours, int count) const {
    // NaN equals nothing, so the first colour is always converted.
    constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
    ColorRGBA lastIn{kNone, kNone, kNone, kNone};
    DWORD lastWord = ~DWORD(0);  // no colour packs to this
    ColorRGBA last;
    for (int i = 0; i < count; ++i) {
        ColorRGBA& c = colours[i];
        if (c.r != lastIn.r || c.g != lastIn.g || c.b != lastIn.b) {
            lastIn = c;
            const DWORD word = PackColor(c.r, c.g, c.b);
            if (word != lastWord) {
                lastWord = word;
                if (!CorrectFixedWord(word, last)) last = Correct(c, CachedEffective());
            }
        }
        c = {last.r, last.g, last.b, c.a};
    }
}

// The source's colours come in one batch; when no slot scales a value the
// corrections share the update's tables. Otherwise each sample goes through
// EvaluateColor.
void TintoraMap::EvaluateColors(ShadingContext* const* samples, int count, ColorRGBA* colours) {
    if (!fixedCorrectionValid || !ScalingSlotsEmpty()) {
        for (int i = 0; i < count; ++i) colours[i] = EvaluateColor(*samples[i]);
        return;
    }
    if (shadeTag) {
        for (int i = 0; i < count; ++i) samples[i]->SetShadeTag(shadeTag);
    }
    if (constantColorValid && AllSlotsEmpty()) {
        for (int i = 0; i < count; ++i) colours[i] = constantColor;
        return;
    }
    if (Texmap* source = subTexmaps[MAP_SOURCE]) {
        source->EvaluateColors(samples, count, colours);
    } else {
        for (int i = 0; i < count; ++i) colours[i] = {sourceColor.r, sourceColor.g, sourceColor.b, 1.0f};
    }
    CorrectFixedColours(colours, count);
}

// With every slot empty the result is the same at every sample, so the
// update works it out once.
void TintoraMap::UpdateFixedCorrection() {
    const int sources[3] = {rSource, gSource, bSource};
    const float gains[3] = {rGain, gGain, bGain};
    const float offsets[3] = {rOffset, gOffset, bOffset};
    fixedCorrection = FixedCorrection(double(hueOffset) + double(hueGain), mono != 0, satGain, satOffset,
                                      valGain, valOffset, contrast, double(brightness) * 255.0, sources,
                                      gains, offsets);
    fixedCorrectionValid = true;
}

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
