#include "editor/controls.h"
#include "editor/tintora_dlg.h"
#include "texture/color_pipeline.h"
#include "texture/tintora_map.h"

namespace {

// How each spinner shows its cache field: working units back to degrees or
// percent, rounded to single precision.
struct SpinnerDisplay {
    ISpinnerControl* TintoraDlg::*spinner;
    float TintoraCache::*field;
    float factor;
};

}  // namespace

void TintoraDlg::Refresh() {
    if (!map) return;
    Interval scratch = EMPTY_INTERVAL;
    map->Update(curTime, scratch);
    const TintoraCache c = map->Cache();

    if (sourceSwatch) {
        const Color& s = c.sourceColor;
        sourceSwatch->SetSwatchColor(tintora::PackColor(s.r, s.g, s.b), 0);
    }

    // The cache holds the contrast negated under invert; show the stored one.
    const float contrastFactor = c.invert ? -100.0f : 100.0f;
    const SpinnerDisplay displays[] = {
        {&TintoraDlg::basicHueSpin, &TintoraCache::hueOffset, 360.0f},
        {&TintoraDlg::basicSatSpin, &TintoraCache::satGain, 100.0f},
        {&TintoraDlg::brightnessSpin, &TintoraCache::brightness, 100.0f},
        {&TintoraDlg::contrastSpin, &TintoraCache::contrast, contrastFactor},
        {&TintoraDlg::hueOffsetSpin, &TintoraCache::hueOffset, 360.0f},
        {&TintoraDlg::satOffsetSpin, &TintoraCache::satOffset, 100.0f},
        {&TintoraDlg::valOffsetSpin, &TintoraCache::valOffset, 100.0f},
        {&TintoraDlg::hueGainSpin, &TintoraCache::hueGain, 360.0f},
        {&TintoraDlg::satGainSpin, &TintoraCache::satGain, 100.0f},
        {&TintoraDlg::valGainSpin, &TintoraCache::valGain, 100.0f},
        {&TintoraDlg::rOffsetSpin, &TintoraCache::rOffset, 100.0f},
        {&TintoraDlg::gOffsetSpin, &TintoraCache::gOffset, 100.0f},
        {&TintoraDlg::bOffsetSpin, &TintoraCache::bOffset, 100.0f},
        {&TintoraDlg::rGainSpin, &TintoraCache::rGain, 100.0f},
        {&TintoraDlg::gGainSpin, &TintoraCache::gGain, 100.0f},
        {&TintoraDlg::bGainSpin, &TintoraCache::bGain, 100.0f},
    };
    for (const SpinnerDisplay& d : displays) {
        if (ISpinnerControl* spinner = this->*d.spinner) spinner->SetFloat(c.*d.field * d.factor, 0);
    }

    CheckDlgButton(paramPanel, IDC_INVERT, UINT(c.invert));
    CheckDlgButton(paramPanel, IDC_MONO, UINT(c.mono));
    CheckDlgButton(paramPanel, IDC_COLORIZE, UINT(c.colorize));

    SendDlgItemMessageA(paramPanel, IDC_R_SOURCE, 334, WPARAM(c.rSource), 0);
    SendDlgItemMessageA(paramPanel, IDC_G_SOURCE, 334, WPARAM(c.gSource), 0);
    SendDlgItemMessageA(paramPanel, IDC_B_SOURCE, 334, WPARAM(c.bSource), 0);

    UpdateButtonLabels();
}

void TintoraDlg::UpdateButtonLabels() {
    Texmap* source = map->GetSubTexmap(MAP_SOURCE);
    SetDlgItemTextA(paramPanel, slotButtonIds[MAP_SOURCE],
                    source ? source->GetFullName().data() : "NONE");
    for (int slot = MAP_SAT_OFFSET; slot < TINTORA_NUM_SLOTS; ++slot)
        SetDlgItemTextA(paramPanel, slotButtonIds[slot], map->GetSubTexmap(slot) ? "M" : "");
}
